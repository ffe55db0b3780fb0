#include "model/ModelTestSupport.h"
#include "ui/tree/model/TreeTestSupport.h"

#include "model/DDoc.h"
#include "model/DocViews.h"
#include "model/Object.h"
#include "model/ObjectProp.h"
#include "model/OrgProp.h"
#include "model/OrgRef2.h"
#include "model/RefRoot.h"
#include "model/SearchRef.h"
#include "model/UrlRef.h"
#include "stream/mwstream.h"
#include "ui/tree/refs/RefTVNode.h"
#include "ui/tree/refs/RefTreeBinding.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace qx {
namespace {

ObjectProp page(const char* url, const char* title) {
    ObjectProp p;
    p.url = Str(url);
    p.title = Str(title);
    return p;
}

// The organizer tree of a document in a tree view without a window, kept in
// step by the document as the main view keeps its trees.
struct Bound : DocViews {
    explicit Bound(DDoc& d) : doc(d) { doc.setviews(this); }
    ~Bound() { doc.setviews(nullptr); }

    void additem(Ref& node) override { binding.add(node); }
    void removeitem(Ref& node) override { binding.remove(node); }
    void refreshitem(Ref& node) override { binding.refresh(node); }
    void repaint(Ref& node) override { binding.repaint(node); }
    void changed(std::uint32_t) override { ++changes; }

    // Labels of the rows under a row, "name*" for a grayed one.
    static std::string rows(const TreeViewNode& parent) {
        std::string out;
        for (TreeViewNode* n = parent.firstChild(); n; n = n->next())
            out += (out.empty() ? "" : ",") + n->label() + (n->isGrayed() ? "*" : "");
        return out;
    }
    std::string top() const { return rows(view.treeRoot()); }
    TreeViewNode& row(const Ref& node) { return RefItem::of(node)->treeNode(); }

    DDoc& doc;
    test::RecordingView view{treestyle::Default};
    RefTreeBinding binding{view};
    int changes = 0;
};

class RefTreeBindingTest : public ::testing::Test {
protected:
    RefTreeBindingTest() { doc.setlabeltexts(&texts); }

    // A group labelled by its page's title (a node without a page shows a blank).
    OrgRef2& group(const char* title, Ref& parent, Ref* before = nullptr) {
        return doc.createresultobject(page("", title), OrgProp{}, parent, before);
    }

    test::FakeLabelTexts texts;
    DDoc doc;
};

TEST_F(RefTreeBindingTest, HiddenSubtreeLeavesAndComesBackGrayedInPlace) {
    group("A", doc.orgroot());
    OrgRef2& b = group("B", doc.orgroot());
    group("b1", b);
    group("C", doc.orgroot());
    Bound tree(doc);
    texts.hidden = true;
    tree.binding.bind(&doc.orgroot());
    Ref* chosen[] = {&b};
    doc.hide(chosen);
    EXPECT_EQ(tree.top(), "A,B*,C");

    texts.hidden = false;
    tree.binding.filterHidden();
    EXPECT_EQ(tree.top(), "A,C");
    EXPECT_EQ(b.viewitem(), nullptr);
    EXPECT_EQ(static_cast<Ref*>(b.firstchild())->viewitem(), nullptr);

    texts.hidden = true;
    tree.binding.rebuild();
    EXPECT_EQ(tree.top(), "A,B*,C");
    // Hidden with its parent, and so greyed like it.
    EXPECT_EQ(Bound::rows(tree.row(b)), "b1*");
}

// Filtering visits only the nodes whose marks changed, and showing only the
// parents that lost or never gave rows: a scattered batch must come back whole.
TEST_F(RefTreeBindingTest, ScatteredNestedBatchLeavesAndComesBackInOrder) {
    OrgRef2& a = group("A", doc.orgroot());
    OrgRef2& a1 = group("a1", a);
    OrgRef2& a2 = group("a2", a);
    OrgRef2& a3 = group("a3", a);
    OrgRef2& b = group("B", doc.orgroot());
    OrgRef2& b1 = group("b1", b);
    group("b11", b1);
    OrgRef2& c = group("C", doc.orgroot());
    Bound tree(doc);
    tree.binding.bind(&doc.orgroot());
    tree.row(a1).select(true);
    tree.row(a3).select(true);
    tree.row(a3).makeFocus();
    tree.row(c).select(true);

    // Flags set straight on the nodes, the way a loaded mark or a script sets
    // them: the binding hears of them from the nodes themselves.
    for (Ref* node : {static_cast<Ref*>(&a1), static_cast<Ref*>(&a3), static_cast<Ref*>(&b),
                      static_cast<Ref*>(&b1)})
        node->addflags(Ref::Hidden);
    tree.binding.filterHidden();
    EXPECT_EQ(tree.top(), "A,C");
    EXPECT_EQ(Bound::rows(tree.row(a)), "a2");
    EXPECT_EQ(b1.viewitem(), nullptr);
    EXPECT_EQ(static_cast<Ref*>(b1.firstchild())->viewitem(), nullptr);
    // The focused row left: the keyboard goes on from the one beside it.
    EXPECT_EQ(tree.view.focusNode(), &tree.row(a2));
    EXPECT_EQ(tree.view.selectedCount(), 1);
    EXPECT_EQ(tree.binding.selection(), std::vector<Ref*>{&c});

    texts.hidden = true;
    tree.binding.rebuild();
    EXPECT_EQ(tree.top(), "A,B*,C");
    EXPECT_EQ(Bound::rows(tree.row(a)), "a1*,a2,a3*");
    EXPECT_EQ(Bound::rows(tree.row(b)), "b1*");
    EXPECT_EQ(Bound::rows(tree.row(b1)), "b11");

    // Shown again while hidden nodes show, then hidden nodes go out of view:
    // what was unmarked in between stays.
    a3.clearflags(Ref::Hidden);
    b.clearflags(Ref::Hidden);
    texts.hidden = false;
    tree.binding.filterHidden();
    // The grayed look follows on a repaint.
    EXPECT_EQ(tree.top(), "A,B*,C");
    EXPECT_EQ(Bound::rows(tree.row(a)), "a2,a3*");
    EXPECT_EQ(Bound::rows(tree.row(b)), "");
    EXPECT_EQ(a1.viewitem(), nullptr);
    EXPECT_NE(a2.viewitem(), nullptr);
}

// Nodes that come into the document without a row are found again when the
// rule relaxes, wherever they came in.
TEST_F(RefTreeBindingTest, NodesArrivingUnshownShowWhenHiddenNodesShow) {
    OrgRef2& folder = group("folder", doc.orgroot());
    OrgRef2& other = group("other", doc.orgroot());
    OrgRef2& hiddenParent = group("hidden parent", other);
    hiddenParent.addflags(Ref::Hidden);
    OrgRef2& waiting = group("waiting", hiddenParent);
    Bound tree(doc);
    tree.binding.bind(&doc.orgroot());
    ASSERT_EQ(Bound::rows(tree.row(other)), "");

    // Filed while only new nodes show: the model gives it no row.
    texts.onlynew = true;
    OrgRef2& late = group("late", folder);
    EXPECT_EQ(late.viewitem(), nullptr);
    texts.onlynew = false;
    tree.binding.rebuild();
    EXPECT_EQ(Bound::rows(tree.row(folder)), "late");
    // Moved out from under a node without a row: it stays without one.
    doc.move(folder, waiting, nullptr);
    EXPECT_EQ(waiting.viewitem(), nullptr);

    texts.hidden = true;
    tree.binding.rebuild();
    EXPECT_EQ(Bound::rows(tree.row(folder)), "late,waiting");
    EXPECT_EQ(Bound::rows(tree.row(other)), "hidden parent*");

    // Rebinding forgets what the old rows noted, and notes afresh.
    tree.binding.bind(&doc.orgroot());
    late.addflags(Ref::Hidden);
    texts.hidden = false;
    tree.binding.filterHidden();
    EXPECT_EQ(Bound::rows(tree.row(folder)), "waiting");
    EXPECT_EQ(Bound::rows(tree.row(other)), "");
}

// The hide and show commands: rows that still show keep their place,
// selection and focus and only change their look; rows that no longer show
// leave with their subtree, even when every node under the root is hidden.
TEST_F(RefTreeBindingTest, CommandsRestyleShownRowsAndTakeAwayTheOthers) {
    OrgRef2& a = group("A", doc.orgroot());
    OrgRef2& a1 = group("a1", a);
    OrgRef2& b = group("B", doc.orgroot());
    Bound tree(doc);
    texts.hidden = true;
    tree.binding.bind(&doc.orgroot());
    TreeViewNode& rowA = tree.row(a);
    tree.row(a).select(true);
    tree.row(b).select(true);
    tree.row(b).makeFocus();
    Ref* both[] = {&a, &b};
    doc.hide(both);
    EXPECT_EQ(tree.top(), "A*,B*");
    EXPECT_EQ(&tree.row(a), &rowA);
    EXPECT_EQ(Bound::rows(rowA), "a1*");
    EXPECT_EQ(tree.binding.selection(), (std::vector<Ref*>{&a, &b}));
    EXPECT_EQ(tree.view.focusNode(), &tree.row(b));
    EXPECT_TRUE(doc.orgroot().hasflags(Ref::HiddenChildren));
    EXPECT_EQ(&RefItem::of(doc.orgroot())->treeNode(), &tree.view.treeRoot());
    doc.show(both);
    EXPECT_EQ(tree.top(), "A,B");
    EXPECT_EQ(tree.binding.selection(), (std::vector<Ref*>{&a, &b}));

    texts.hidden = false;
    doc.hide(both);
    EXPECT_EQ(tree.top(), "");
    EXPECT_EQ(a1.viewitem(), nullptr);
    EXPECT_NE(doc.orgroot().viewitem(), nullptr);
    EXPECT_EQ(tree.view.selectedCount(), 0);
    // Showing them again puts them back in their order, the subtree with them.
    Ref* second[] = {&b};
    doc.show(second);
    EXPECT_EQ(tree.top(), "B");
    Ref* first[] = {&a};
    doc.show(first);
    EXPECT_EQ(tree.top(), "A,B");
    EXPECT_EQ(Bound::rows(tree.row(a)), "a1");
}

TEST_F(RefTreeBindingTest, ShowNewDropsGroupsThatAreNeitherNewNorSearches) {
    OrgRef2& top = group("group", doc.orgroot());
    OrgRef2& child = group("child", top);
    child.addflags(Ref::New); // the group itself stays unmarked
    SearchRef& search = doc.createsearch(Str("search"), doc.orgroot(), nullptr);
    search.clearflags(Ref::New);
    Bound tree(doc);
    tree.binding.bind(&doc.orgroot());
    ASSERT_EQ(tree.top(), "group,search");

    texts.onlynew = true;
    tree.binding.filterNew();
    EXPECT_EQ(tree.top(), "search");
    EXPECT_EQ(child.viewitem(), nullptr);

    texts.onlynew = false;
    tree.binding.rebuild();
    EXPECT_EQ(tree.top(), "group,search");
}

TEST_F(RefTreeBindingTest, NewNodeGoesBeforeTheFirstShownFollowingSibling) {
    OrgRef2& x = group("X", doc.orgroot());
    OrgRef2& z = group("Z", doc.orgroot());
    group("last", doc.orgroot());
    x.addflags(Ref::Hidden);
    Bound tree(doc);
    tree.binding.bind(&doc.orgroot());
    ASSERT_EQ(tree.top(), "Z,last");

    group("Y", doc.orgroot(), &z);
    EXPECT_EQ(tree.top(), "Y,Z,last");
    group("W", doc.orgroot(), &x);
    EXPECT_EQ(tree.top(), "W,Y,Z,last");
    // A child of a node without a row gets none.
    group("under X", x);
    EXPECT_EQ(static_cast<Ref*>(x.firstchild())->viewitem(), nullptr);
}

TEST_F(RefTreeBindingTest, ExpansionIsKeptByTheDocument) {
    OrgRef2& folder = group("folder", doc.orgroot());
    group("inner", folder);
    mwstream saved;
    {
        Bound tree(doc);
        tree.binding.bind(&doc.orgroot());
        TreeViewNode& row = tree.row(folder);
        ASSERT_FALSE(row.isExpanded());
        row.expand(true);
        tree.binding.expanded(row, true);
        EXPECT_TRUE(folder.hasflags(Ref::Expanded));
        ASSERT_EQ(doc.write(saved), 0);
    }
    memwstream in(const_cast<char*>(saved.buffer().data()), saved.buffer().size());
    DDoc reopened;
    ASSERT_EQ(reopened.read(in), 0);
    Bound tree(reopened);
    tree.binding.bind(&reopened.orgroot());
    Ref& again = *static_cast<Ref*>(reopened.orgroot().firstchild());
    EXPECT_TRUE(tree.row(again).isExpanded());
}

TEST_F(RefTreeBindingTest, StatusCountsTheSelectionAndFindsAGroupsAddress) {
    OrgRef2& top = group("group", doc.orgroot());
    OrgRef2& hidden = doc.createresultobject(page("http://hidden/", "h"), OrgProp{}, top, nullptr);
    hidden.addflags(Ref::Hidden);
    OrgRef2& inner = group("inner", top);
    doc.createresultobject(page("http://shown/", "s"), OrgProp{}, inner, nullptr);
    OrgRef2& other = group("other", doc.orgroot());
    Bound tree(doc);
    tree.binding.bind(&doc.orgroot());

    tree.row(top).select(true);
    EXPECT_EQ(tree.binding.status().selected, 1);
    EXPECT_EQ(tree.binding.status().url, "http://shown/");
    tree.row(inner).select(true);
    tree.row(other).select(true);
    EXPECT_EQ(tree.binding.status().selected, 3);
    EXPECT_EQ(tree.binding.selection().size(), 3u);
    EXPECT_EQ(RefTreeBinding::addressOf(other), "");
}

TEST_F(RefTreeBindingTest, MarksPickImageCellsAndRunningRepaintsAncestors) {
    OrgRef2& folder = group("folder", doc.orgroot());
    OrgRef2& result = doc.createresultobject(page("http://a/", "a"), OrgProp{}, folder, nullptr);
    Bound tree(doc);
    tree.binding.bind(&doc.orgroot());
    const int stride = RefTreeBinding::kRowStride;
    // A reference the user filed opens its address whether or not a search
    // ever confirmed the page: drawn plain. Its folder, with children, is
    // faded, as is the sites tree's node of a page never read from the web;
    // a saved search never is.
    EXPECT_EQ(tree.row(result).image(0), 1 + 2);
    EXPECT_EQ(tree.row(folder).image(0), 1 + 2 + stride);
    SearchRef& search = doc.createsearch(Str("s"), doc.orgroot(), nullptr);
    EXPECT_EQ(tree.row(search).image(0), 1 + 13);
    UrlRef* site = doc.filedomainnode("http://a/");
    EXPECT_TRUE(RefTreeBinding::imagesOf(*site).row == 1);
    site->target()->addflags(Object::Confirmed);
    EXPECT_TRUE(RefTreeBinding::imagesOf(*site).row == 0);
    result.target()->addflags(Object::Confirmed);
    doc.setcheckstate(folder, Ref::CheckUnchanged);
    doc.setcheckstate(result, Ref::CheckUnchanged);
    EXPECT_EQ(tree.row(folder).image(1), 2);
    tree.binding.repaint(result);
    EXPECT_EQ(tree.row(result).image(0), 1 + 2);

    doc.setbusy(result, true);
    EXPECT_EQ(tree.row(result).image(1), 0);
    EXPECT_EQ(tree.row(folder).image(1), 0); // contains a running check
    doc.setbusy(result, false);
    EXPECT_EQ(tree.row(folder).image(1), 2);
}

TEST_F(RefTreeBindingTest, DeletingAndRebindingLeaveNoDanglingItems) {
    OrgRef2& folder = group("folder", doc.orgroot());
    OrgRef2& inner = group("inner", folder);
    Bound tree(doc);
    tree.binding.bind(&doc.orgroot());
    tree.row(inner).select(true);
    doc.deletesubtree(folder);
    EXPECT_EQ(tree.top(), "");
    EXPECT_EQ(tree.view.selectedCount(), 0);

    OrgRef2& again = group("again", doc.orgroot());
    EXPECT_NE(again.viewitem(), nullptr);
    tree.binding.bind(nullptr);
    EXPECT_EQ(again.viewitem(), nullptr);
    EXPECT_EQ(doc.orgroot().viewitem(), nullptr);
}

} // namespace
} // namespace qx
