#include "DocRecorder.h"

#include "model/Container.h"
#include "model/DDoc.h"
#include "model/DomainRef.h"
#include "model/LabelTexts.h"
#include "model/Object.h"
#include "model/OrgRef2.h"
#include "model/RefRoot.h"
#include "model/SearchRef.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace qx {
namespace {

class Options : public LabelTexts {
public:
    Options(bool showhidden, bool shownew) : showhidden_(showhidden), shownew_(shownew) {}
    Str text(int) const override { return {}; }
    bool showhidden() const override { return showhidden_; }
    bool shownew() const override { return shownew_; }

private:
    bool showhidden_;
    bool shownew_;
};

Object& page(DDoc& doc, const char* url) {
    ObjectProp props;
    props.url = Str(url);
    props.title = Str(url);
    auto object = std::make_unique<Object>(props);
    object->addflags(Object::Confirmed);
    auto* made = static_cast<Object*>(doc.container().add(std::move(object)));
    doc.settarget(*doc.filedomainnode(url), made);
    return *made;
}

Ref& domain(DDoc& doc, const char* url) {
    return *doc.finddomainnode(url);
}

// The organizer tree of the tests: folder / search / result, and a second
// reference to the same page in another folder.
struct Trees {
    DDoc doc;
    Object& p = page(doc, "s://h/a/p");
    Object& q = page(doc, "s://h/a/q");
    OrgRef2& folder = doc.createfolder(Str("folder"), doc.orgroot(), nullptr);
    SearchRef& search = doc.createsearch(Str("search"), folder, nullptr);
    OrgRef2& result = doc.createresult(&p, nullptr, search, nullptr, false);
    OrgRef2& other = doc.createfolder(Str("other"), doc.orgroot(), nullptr);
    OrgRef2& again = doc.createresult(&p, nullptr, other, nullptr, false);

    Trees() { search.clearflags(Ref::New); }
};

TEST(DDocMarks, MarkNewClimbsToTheFirstMarkedAncestorAndMarksTheTwin) {
    Trees t;
    t.doc.marknew(t.result, true);
    for (Ref* node : {static_cast<Ref*>(&t.result), static_cast<Ref*>(&t.search),
                      static_cast<Ref*>(&t.folder), static_cast<Ref*>(&t.doc.orgroot()),
                      &domain(t.doc, "s://h/a/p"), &domain(t.doc, "s://h/a"),
                      &domain(t.doc, "s://h"), static_cast<Ref*>(&t.doc.domainroot())})
        EXPECT_TRUE(node->hasflags(Ref::New)) << node->name().view();
    EXPECT_FALSE(t.again.hasflags(Ref::New));
    EXPECT_FALSE(domain(t.doc, "s://h/a/q").hasflags(Ref::New));

    // Stops at the first marked ancestor.
    t.doc.orgroot().clearflags(Ref::New);
    t.doc.domainroot().clearflags(Ref::New);
    t.other.addflags(Ref::New);
    t.doc.marknew(t.again, true);
    EXPECT_TRUE(t.again.hasflags(Ref::New));
    EXPECT_FALSE(t.doc.orgroot().hasflags(Ref::New));
    EXPECT_FALSE(t.doc.domainroot().hasflags(Ref::New));
    t.doc.marknew(domain(t.doc, "s://h/a/q"), false);
    EXPECT_FALSE(t.doc.domainroot().hasflags(Ref::New));
}

TEST(DDocMarks, MarkNewShowsNodesWhileOnlyNewOnesAreShown) {
    Options options(false, true);
    Trees t;
    t.doc.setlabeltexts(&options);
    test::DocRecorder views;
    t.folder.addflags(Ref::New);
    views.bind(t.doc.orgroot());
    t.doc.setviews(&views);
    t.doc.marknew(t.folder, false); // already marked: nothing
    EXPECT_EQ(t.result.viewitem(), nullptr);
    views.take();
    t.doc.marknew(t.result, false);
    EXPECT_NE(t.result.viewitem(), nullptr);
    EXPECT_EQ(views.take(), (std::vector<std::string>{"add " + std::string(t.result.name().view()),
                                                      "repaint search"}));
    EXPECT_EQ(test::checkdocument(t.doc), "");
}

TEST(DDocMarks, ChangedAndSeenStopAtStrongerMarks) {
    Trees t;
    t.folder.addflags(Ref::New);
    t.doc.markchanged(t.result);
    EXPECT_TRUE(t.result.hasflags(Ref::Changed));
    EXPECT_TRUE(t.search.hasflags(Ref::Changed));
    EXPECT_FALSE(t.folder.hasflags(Ref::Changed));
    EXPECT_FALSE(t.doc.orgroot().hasflags(Ref::Changed));

    t.doc.markseen(t.result);
    EXPECT_TRUE(t.result.hasflags(Ref::Seen));
    EXPECT_FALSE(t.search.hasflags(Ref::Seen));
    t.doc.markseen(t.again);
    EXPECT_TRUE(t.other.hasflags(Ref::Seen));
    EXPECT_TRUE(t.doc.orgroot().hasflags(Ref::Seen));
}

TEST(DDocMarks, BusyMarksAncestorsBelowTheRootUntilNoChildIsBusy) {
    Trees t;
    OrgRef2& sibling = t.doc.createresult(&t.q, nullptr, t.search, nullptr, false);
    t.doc.setbusy(t.result, true);
    t.doc.setbusy(sibling, true);
    EXPECT_TRUE(t.result.hasflags(Ref::Checking));
    EXPECT_TRUE(t.search.flags2() & Ref::kChildChecking);
    EXPECT_TRUE(t.folder.flags2() & Ref::kChildChecking);
    EXPECT_FALSE(t.doc.orgroot().flags2() & Ref::kChildChecking);
    t.doc.setbusy(t.result, false);
    EXPECT_FALSE(t.result.hasflags(Ref::Checking));
    EXPECT_TRUE(t.search.flags2() & Ref::kChildChecking);
    t.doc.setbusy(sibling, false);
    EXPECT_FALSE(t.search.flags2() & Ref::kChildChecking);
    EXPECT_FALSE(t.folder.flags2() & Ref::kChildChecking);
}

// The parent's mark goes with the last busy child, whichever order the checks
// end in: in tree order, backwards, or from the middle out; and a child that
// only holds busy children of its own keeps its parent marked.
TEST(DDocMarks, BusyMarkLeavesWithTheLastChildInAnyOrder) {
    const std::vector<std::vector<int>> orders = {
        {0, 1, 2, 3, 4}, {4, 3, 2, 1, 0}, {2, 1, 3, 0, 4}, {0, 4, 1, 3, 2}};
    for (const std::vector<int>& order : orders) {
        Trees t;
        std::vector<OrgRef2*> results = {&t.result};
        for (int i = 1; i < 5; ++i)
            results.push_back(&t.doc.createresult(&t.q, nullptr, t.search, nullptr, false));
        for (OrgRef2* result : results)
            t.doc.setbusy(*result, true);
        for (std::size_t i = 0; i < order.size(); ++i) {
            EXPECT_TRUE(t.search.flags2() & Ref::kChildChecking);
            t.doc.setbusy(*results[static_cast<std::size_t>(order[i])], false);
        }
        EXPECT_FALSE(t.search.flags2() & Ref::kChildChecking);
        EXPECT_FALSE(t.folder.flags2() & Ref::kChildChecking);
    }

    Trees t;
    OrgRef2& below = t.doc.createresult(&t.q, nullptr, t.result, nullptr, false);
    t.doc.setbusy(below, true);
    t.doc.setbusy(t.result, true);
    t.doc.setbusy(t.result, false);
    EXPECT_TRUE(t.result.flags2() & Ref::kChildChecking);
    EXPECT_TRUE(t.search.flags2() & Ref::kChildChecking);
    t.doc.setbusy(below, false);
    EXPECT_FALSE(t.search.flags2() & Ref::kChildChecking);
    EXPECT_FALSE(t.folder.flags2() & Ref::kChildChecking);
}

TEST(DDocMarks, CheckStateReplacesTheTopBits) {
    Trees t;
    test::DocRecorder views;
    views.bind(t.doc.orgroot());
    t.doc.setviews(&views);
    t.result.addflags(Ref::New);
    t.doc.setcheckstate(t.result, Ref::CheckError);
    t.doc.setcheckstate(t.result, Ref::CheckError);
    t.doc.setcheckstate(t.result, Ref::CheckNotFound);
    EXPECT_EQ(t.result.flags() & Ref::kCheckState, Ref::CheckNotFound);
    EXPECT_TRUE(t.result.hasflags(Ref::New));
    t.doc.setcheckstate(t.result, 0);
    t.doc.setcheckstate(t.result, 0);
    EXPECT_EQ(t.result.flags() & Ref::kCheckState, 0);
    const std::string repaint = "repaint " + std::string(t.result.name().view());
    EXPECT_EQ(views.take(), (std::vector<std::string>{repaint, repaint, repaint}));
}

TEST(DDocHidden, HidingSpreadsToTwinsParentsAndOtherReferences) {
    Trees t;
    std::array<Ref*, 1> chosen{&t.result};
    t.doc.hide(chosen);
    EXPECT_TRUE(t.result.hasflags(Ref::Hidden));
    Ref& leaf = domain(t.doc, "s://h/a/p");
    EXPECT_TRUE(leaf.hasflags(Ref::Hidden));
    EXPECT_TRUE(t.search.hasflags(Ref::HiddenChildren));
    EXPECT_TRUE(t.folder.hasflags(Ref::HiddenChildren));
    // The same page elsewhere in the organizer tree, and its folder.
    EXPECT_TRUE(t.again.hasflags(Ref::HiddenChildren));
    EXPECT_TRUE(t.other.hasflags(Ref::HiddenChildren));
    EXPECT_TRUE(t.doc.orgroot().hasflags(Ref::HiddenChildren));
    // q still shows: the path node and the host stay.
    EXPECT_FALSE(domain(t.doc, "s://h/a").hasflags(Ref::kHiddenFlags));

    std::array<Ref*, 1> q{&domain(t.doc, "s://h/a/q")};
    t.doc.hide(q);
    EXPECT_TRUE(domain(t.doc, "s://h/a").hasflags(Ref::HiddenChildren));
    EXPECT_TRUE(domain(t.doc, "s://h").hasflags(Ref::HiddenChildren));

    // Showing the other reference brings back its page everywhere but where
    // the user hid it.
    std::array<Ref*, 1> again{&t.again};
    t.doc.show(again);
    EXPECT_FALSE(t.again.hasflags(Ref::kHiddenFlags));
    EXPECT_FALSE(t.other.hasflags(Ref::kHiddenFlags));
    EXPECT_FALSE(t.doc.orgroot().hasflags(Ref::kHiddenFlags));
    EXPECT_FALSE(leaf.hasflags(Ref::kHiddenFlags));
    EXPECT_FALSE(domain(t.doc, "s://h/a").hasflags(Ref::kHiddenFlags));
    EXPECT_FALSE(domain(t.doc, "s://h").hasflags(Ref::kHiddenFlags));
    EXPECT_TRUE(t.result.hasflags(Ref::Hidden));
    EXPECT_TRUE(t.search.hasflags(Ref::HiddenChildren));
    EXPECT_TRUE(domain(t.doc, "s://h/a/q").hasflags(Ref::Hidden));
}

TEST(DDocHidden, HiddenNodesLeaveTheViewsAndComeBack) {
    Options options(false, false);
    Trees t;
    t.doc.setlabeltexts(&options);
    test::DocRecorder views;
    views.bind(t.doc.orgroot());
    views.bind(t.doc.domainroot());
    t.doc.setviews(&views);
    std::array<Ref*, 1> chosen{&t.folder};
    t.doc.hide(chosen);
    EXPECT_EQ(t.folder.viewitem(), nullptr);
    EXPECT_EQ(t.result.viewitem(), nullptr);
    EXPECT_NE(t.again.viewitem(), nullptr); // a folder has no twin
    t.doc.show(chosen);
    EXPECT_NE(t.folder.viewitem(), nullptr);
    EXPECT_NE(t.result.viewitem(), nullptr);
    EXPECT_EQ(test::checkdocument(t.doc), "");
}

TEST(DDocHidden, ManySiblingsHiddenAtOnce) {
    DDoc doc;
    std::vector<Ref*> leaves;
    for (int i = 0; i < 200; ++i)
        leaves.push_back(doc.filedomainnode("s://h/d/" + std::to_string(i)));
    doc.filedomainnode("s://h/e");
    doc.hide(leaves);
    EXPECT_TRUE(doc.finddomainnode("s://h/d")->hasflags(Ref::HiddenChildren));
    EXPECT_FALSE(doc.finddomainnode("s://h")->hasflags(Ref::kHiddenFlags));
    std::array<Ref*, 1> one{leaves[17]};
    doc.show(one);
    EXPECT_FALSE(doc.finddomainnode("s://h/d")->hasflags(Ref::kHiddenFlags));
    EXPECT_TRUE(leaves[16]->hasflags(Ref::Hidden));
}

// Changes of structure put the derived mark right on the parents they touch:
// a search whose only result was hidden shows again when a visible result is
// filed under it, and a folder whose visible child goes counts as hidden.
TEST(DDocHidden, StructureChangesKeepTheDerivedMarkRight) {
    Options options(false, false);
    Trees t;
    t.doc.setlabeltexts(&options);
    std::array<Ref*, 1> chosen{&t.result};
    t.doc.hide(chosen);
    ASSERT_TRUE(t.search.hasflags(Ref::HiddenChildren));
    OrgRef2& fresh = t.doc.createresult(&t.q, nullptr, t.search, nullptr, false);
    EXPECT_FALSE(t.search.hasflags(Ref::kHiddenFlags));
    EXPECT_FALSE(t.folder.hasflags(Ref::kHiddenFlags));
    std::array<Ref*, 1> elsewhere{&domain(t.doc, "s://h/a/q")};
    t.doc.hide(elsewhere);
    t.doc.show(elsewhere);
    EXPECT_FALSE(t.search.hasflags(Ref::kHiddenFlags));
    EXPECT_TRUE(fresh.isvisible());

    // Deleting the visible result leaves only hidden ones.
    t.doc.deletenode(fresh);
    EXPECT_TRUE(t.search.hasflags(Ref::HiddenChildren));
    EXPECT_TRUE(t.folder.hasflags(Ref::HiddenChildren));
    // A copy of a visible node, and a deleted last child, clear it again.
    OrgRef2& visible = t.doc.createfolder(Str("visible"), t.doc.orgroot(), nullptr);
    t.doc.copysubtree(visible, t.search, nullptr);
    EXPECT_FALSE(t.search.hasflags(Ref::kHiddenFlags));
    EXPECT_FALSE(t.folder.hasflags(Ref::kHiddenFlags));
    OrgRef2& empty = t.doc.createfolder(Str("empty"), t.doc.orgroot(), nullptr);
    OrgRef2& lone = t.doc.createresult(&t.p, nullptr, empty, nullptr, true);
    EXPECT_TRUE(empty.hasflags(Ref::HiddenChildren));
    t.doc.deletenode(lone);
    EXPECT_FALSE(empty.hasflags(Ref::kHiddenFlags));
    EXPECT_EQ(test::checkdocument(t.doc, true), "");
}

// Filing a visible page below a domain node that counted as hidden.
TEST(DDocHidden, FilingShowsTheParentsOfAVisiblePage) {
    DDoc doc;
    std::array<Ref*, 1> one{doc.filedomainnode("s://h/d/1")};
    doc.hide(one);
    ASSERT_TRUE(doc.finddomainnode("s://h/d")->hasflags(Ref::HiddenChildren));
    ASSERT_TRUE(doc.finddomainnode("s://h")->hasflags(Ref::HiddenChildren));
    doc.createdomainnode(*doc.finddomainnode("s://h/d"), Str("2"), nullptr, false);
    EXPECT_FALSE(doc.finddomainnode("s://h/d")->hasflags(Ref::kHiddenFlags));
    EXPECT_FALSE(doc.finddomainnode("s://h")->hasflags(Ref::kHiddenFlags));
}

// The twin of a result is the domain node its address files to, which need
// not share its page: "s://h/x/" files to the node of "s://h/x".
TEST(DDocHidden, TwinsAreFoundByAddress) {
    DDoc doc;
    Object& leafpage = page(doc, "s://h/x");
    (void)leafpage;
    ObjectProp props;
    props.url = Str("s://h/x/");
    auto* slashed = static_cast<Object*>(doc.container().add(std::make_unique<Object>(props)));
    OrgRef2& result = doc.createresult(slashed, nullptr, doc.orgroot(), nullptr, false);
    Ref& leaf = domain(doc, "s://h/x");
    ASSERT_EQ(doc.domaintwin(result), &leaf);
    std::array<Ref*, 1> chosen{&leaf};
    doc.hide(chosen);
    EXPECT_TRUE(result.hasflags(Ref::HiddenChildren));
    doc.show(chosen);
    EXPECT_FALSE(result.hasflags(Ref::kHiddenFlags));
}

// Hiding a folder hides everything below it; a page leaves the domain tree
// once every organizer reference to it is hidden, and comes back with the
// first that shows again.
TEST(DDocHidden, HidingAFolderHidesWhatIsBelowItAndPagesWithNoVisibleReference) {
    Options options(false, false);
    DDoc doc;
    Object& one = page(doc, "s://h/a/1");
    Object& two = page(doc, "s://h/a/2");
    Object& three = page(doc, "s://h/b/3");
    OrgRef2& outer = doc.createfolder(Str("outer"), doc.orgroot(), nullptr);
    OrgRef2& inner = doc.createfolder(Str("inner"), outer, nullptr);
    OrgRef2& first = doc.createresult(&one, nullptr, inner, nullptr, false);
    OrgRef2& shared = doc.createresult(&three, nullptr, inner, nullptr, false);
    OrgRef2& second = doc.createresult(&two, nullptr, outer, nullptr, false);
    OrgRef2& elsewhere = doc.createfolder(Str("elsewhere"), doc.orgroot(), nullptr);
    OrgRef2& visible = doc.createresult(&three, nullptr, elsewhere, nullptr, false);
    test::DocRecorder views;
    views.bind(doc.orgroot());
    views.bind(doc.domainroot());
    doc.setviews(&views);

    std::array<Ref*, 1> chosen{&outer};
    doc.hide(chosen);
    for (Ref* node : std::array<Ref*, 5>{&outer, &inner, &first, &shared, &second}) {
        EXPECT_TRUE(node->hasflags(Ref::Hidden)) << node->name().view();
        EXPECT_EQ(node->viewitem(), nullptr) << node->name().view();
    }
    EXPECT_TRUE(domain(doc, "s://h/a/1").hasflags(Ref::HiddenChildren));
    EXPECT_TRUE(domain(doc, "s://h/a/2").hasflags(Ref::HiddenChildren));
    EXPECT_TRUE(domain(doc, "s://h/a").hasflags(Ref::HiddenChildren));
    EXPECT_EQ(domain(doc, "s://h/a").viewitem(), nullptr);
    // Still referred to from a folder that shows.
    EXPECT_FALSE(domain(doc, "s://h/b/3").hasflags(Ref::kHiddenFlags));
    EXPECT_NE(domain(doc, "s://h/b/3").viewitem(), nullptr);
    EXPECT_FALSE(visible.hasflags(Ref::kHiddenFlags));
    EXPECT_FALSE(domain(doc, "s://h").hasflags(Ref::kHiddenFlags));

    // The last reference hidden takes the page along; showing it brings the
    // page back, and only that page.
    std::array<Ref*, 1> last{&elsewhere};
    doc.hide(last);
    EXPECT_TRUE(domain(doc, "s://h/b/3").hasflags(Ref::HiddenChildren));
    EXPECT_TRUE(domain(doc, "s://h").hasflags(Ref::HiddenChildren));
    doc.show(last);
    EXPECT_FALSE(domain(doc, "s://h/b/3").hasflags(Ref::kHiddenFlags));
    EXPECT_NE(domain(doc, "s://h/b/3").viewitem(), nullptr);
    EXPECT_TRUE(domain(doc, "s://h/a/1").hasflags(Ref::HiddenChildren));
    EXPECT_TRUE(shared.hasflags(Ref::Hidden));

    doc.show(chosen);
    for (Ref* node : std::array<Ref*, 5>{&outer, &inner, &first, &shared, &second}) {
        EXPECT_FALSE(node->hasflags(Ref::kHiddenFlags)) << node->name().view();
        EXPECT_NE(node->viewitem(), nullptr) << node->name().view();
    }
    EXPECT_FALSE(domain(doc, "s://h/a/1").hasflags(Ref::kHiddenFlags));
    EXPECT_FALSE(domain(doc, "s://h/a").hasflags(Ref::kHiddenFlags));
    EXPECT_NE(domain(doc, "s://h/a/2").viewitem(), nullptr);
    EXPECT_EQ(test::checkdocument(doc), "");
}

// With hidden references shown, what is below a hidden folder stays on screen
// and counts as hidden, so that it is drawn greyed; a page whose references
// are all hidden comes back by filing a visible child below it.
TEST(DDocHidden, BelowAHiddenFolderShowsAsHiddenWhenHiddenOnesAreShown) {
    Options options(true, false);
    DDoc doc;
    doc.setlabeltexts(&options);
    Object& one = page(doc, "s://h/a");
    OrgRef2& folder = doc.createfolder(Str("folder"), doc.orgroot(), nullptr);
    OrgRef2& nested = doc.createfolder(Str("nested"), folder, nullptr);
    OrgRef2& result = doc.createresult(&one, nullptr, nested, nullptr, false);
    test::DocRecorder views;
    views.bind(doc.orgroot());
    views.bind(doc.domainroot());
    doc.setviews(&views);
    std::array<Ref*, 1> chosen{&folder};
    doc.hide(chosen);
    Ref& leaf = domain(doc, "s://h/a");
    for (Ref* node : std::array<Ref*, 4>{&folder, &nested, &result, &leaf}) {
        EXPECT_TRUE(node->hasflags(Ref::kHiddenFlags)) << node->name().view();
        EXPECT_NE(node->viewitem(), nullptr) << node->name().view();
    }
    doc.createdomainnode(leaf, Str("b"), nullptr, false);
    EXPECT_FALSE(leaf.hasflags(Ref::kHiddenFlags));
    EXPECT_EQ(test::checkdocument(doc), "");
}

} // namespace
} // namespace qx
