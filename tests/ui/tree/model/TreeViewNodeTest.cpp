#include "TreeTestSupport.h"

#include <gtest/gtest.h>

namespace qx::test {
namespace {

std::string childLabels(const TreeViewNode& parent) {
    std::string s;
    for (TreeViewNode* c = parent.firstChild(); c; c = c->next())
        s += c->label() + (c->next() ? " " : "");
    return s;
}

class CountedNode : public TreeViewNode {
public:
    CountedNode(std::string label, int& alive) : TreeViewNode(std::move(label)), alive_(alive) {
        ++alive_;
    }
    ~CountedNode() override { --alive_; }

private:
    int& alive_;
};

TEST(TreeViewNode, InsertsFirstLastBeforeAndAfter) {
    TreeViewRoot root;
    TreeViewNode* b = add(root, "b");
    TreeViewNode* d = add(root, "d");
    root.insertBefore(std::make_unique<TreeViewNode>("c"), d);
    root.insertAfter(std::make_unique<TreeViewNode>("a"), nullptr);
    root.insertAfter(std::make_unique<TreeViewNode>("e"), d);
    EXPECT_EQ(childLabels(root), "a b c d e");
    EXPECT_EQ(root.lastChild()->previous(), d);
    EXPECT_EQ(b->depth(), 1);
}

TEST(TreeViewNode, RequestsThatWouldBreakTheTreeAreIgnored) {
    TreeViewRoot root;
    TreeViewNode* a = add(root, "a");
    TreeViewNode* b = add(root, "b");
    TreeViewNode* a1 = add(*a, "a1");

    // Before a node of another parent: refused, and the node stays with the caller.
    auto stray = std::make_unique<TreeViewNode>("x");
    EXPECT_EQ(b->insertBefore(std::move(stray), a1), nullptr);
    ASSERT_NE(stray, nullptr);
    EXPECT_EQ(stray->parent(), nullptr);

    EXPECT_FALSE(a->moveTo(a));
    EXPECT_FALSE(a->moveTo(a1));
    EXPECT_FALSE(a->moveTo(b, a1));
    EXPECT_FALSE(root.moveTo(a));
    EXPECT_EQ(childLabels(root), "a b");
    EXPECT_EQ(childLabels(*a), "a1");

    EXPECT_TRUE(a->moveTo(b));
    EXPECT_EQ(childLabels(root), "b");
    EXPECT_EQ(a->depth(), 2);
    EXPECT_EQ(a1->depth(), 3);
}

TEST(TreeViewNode, RemoveDestroysTheSubtree) {
    int alive = 0;
    TreeViewRoot root;
    TreeViewNode* a = root.append(std::make_unique<CountedNode>("a", alive));
    a->append(std::make_unique<CountedNode>("a1", alive));
    a->append(std::make_unique<CountedNode>("a2", alive));
    root.append(std::make_unique<CountedNode>("b", alive));
    ASSERT_EQ(alive, 4);
    a->remove();
    EXPECT_EQ(alive, 1);
    EXPECT_EQ(childLabels(root), "b");
    root.removeChildren();
    EXPECT_EQ(alive, 0);
    EXPECT_EQ(root.firstChild(), nullptr);
}

TEST(TreeViewNode, SameLabelChangesNothingNewLabelIsMeasuredAgain) {
    RecordingView view(treestyle::Default);
    TreeViewNode* a = add(view.treeRoot(), "a");
    TreeViewNode* a1 = add(*a, "one");
    a->expand(true);
    view.runPendingLayout();
    ASSERT_EQ(a1->layoutBits(), 0);

    a1->setLabel("one");
    EXPECT_EQ(a1->layoutBits(), 0);
    EXPECT_FALSE(view.layoutPending());

    a1->setLabel("longer");
    EXPECT_TRUE(a1->layoutBits() & TreeViewNode::NeedsMeasure);
    EXPECT_TRUE(a->layoutBits() & TreeViewNode::NeedsPlace);
    EXPECT_TRUE(view.treeRoot().layoutBits() & TreeViewNode::NeedsPlace);
    view.runPendingLayout();
    EXPECT_EQ(a1->right() - a1->labelLeft(), 6 * 7 + 2);
}

TEST(TreeViewNode, RemovingFocusAnchorAndSelectionLeavesTheViewConsistent) {
    RecordingView view(treestyle::Default);
    TreeViewNode* a = add(view.treeRoot(), "a");
    TreeViewNode* a1 = add(*a, "a1");
    TreeViewNode* b = add(view.treeRoot(), "b");
    a->expand(true);
    a1->select(true);
    b->select(true);
    a1->makeFocus();
    view.setAnchorNode(a1);
    ASSERT_EQ(view.selectedCount(), 2);

    // The focus goes on from the row that takes the removed one's place.
    a->remove();
    EXPECT_EQ(view.focusNode(), b);
    EXPECT_EQ(view.anchorNode(), nullptr);
    EXPECT_EQ(selectedLabels(view), std::vector<std::string>{"b"});
    EXPECT_EQ(view.log.back(), "focus b");
    // The last row gone: the one before it; the only one gone: the parent.
    TreeViewNode* last = add(view.treeRoot(), "last");
    last->makeFocus();
    last->remove();
    EXPECT_EQ(view.focusNode(), b);
    TreeViewNode* only = add(*b, "only");
    only->makeFocus();
    only->remove();
    EXPECT_EQ(view.focusNode(), b);

    // Moving inside the view keeps selection and focus.
    TreeViewNode* c = add(view.treeRoot(), "c");
    b->makeFocus();
    EXPECT_TRUE(b->moveTo(c));
    EXPECT_EQ(view.focusNode(), b);
    EXPECT_EQ(selectedLabels(view), std::vector<std::string>{"b"});
}

// A view that counts what it is asked to redraw.
class CountingView : public RecordingView {
public:
    CountingView() : RecordingView(treestyle::Default) {}
    int redraws = 0;
    TreeRect last;

protected:
    void invalidate(const TreeRect& rect) override {
        ++redraws;
        last = rect;
    }
};

// Rows coming and going inside a batch are redrawn once, whole, at the end of
// the outermost batch; the selection and focus still follow every change.
TEST(TreeViewNode, ABatchRedrawsOnceAtItsEnd) {
    CountingView view;
    TreeViewNode* a = add(view.treeRoot(), "a");
    TreeViewNode* b = add(view.treeRoot(), "b");
    b->select(true);
    b->makeFocus();
    view.runPendingLayout();
    view.redraws = 0;
    {
        const TreeViewModel::Batch outer(view);
        {
            const TreeViewModel::Batch inner(view);
            b->remove();
            addMany(view.treeRoot(), "n", 50);
            a->setLabel("a again");
            a->select(true);
            a->setGrayed(true);
        }
        EXPECT_EQ(view.redraws, 0);
        EXPECT_EQ(view.focusNode(), a);
        EXPECT_EQ(selectedLabels(view), std::vector<std::string>{"a again"});
    }
    EXPECT_EQ(view.redraws, 1);
    EXPECT_EQ(view.last.top, 0);
    EXPECT_EQ(view.last.bottom, view.viewportHeight());

    // Nothing changed inside: nothing to redraw.
    view.redraws = 0;
    { const TreeViewModel::Batch idle(view); }
    EXPECT_EQ(view.redraws, 0);
    a->setGrayed(false);
    EXPECT_EQ(view.redraws, 1);
}

TEST(TreeViewNode, DetachedSubtreeTakesItsSelectionAlong) {
    RecordingView view(treestyle::Default);
    TreeViewNode* a = add(view.treeRoot(), "a");
    a->select(true);
    std::unique_ptr<TreeViewNode> owned = a->detach();
    EXPECT_EQ(view.selectedCount(), 0);
    EXPECT_TRUE(owned->isSelected());
    view.treeRoot().append(std::move(owned));
    EXPECT_EQ(selectedLabels(view), std::vector<std::string>{"a"});
}

TEST(TreeViewNode, SetRootHandsBackTheOldTree) {
    RecordingView view(treestyle::Default);
    TreeViewNode* a = add(view.treeRoot(), "a");
    a->makeFocus();
    auto next = std::make_unique<TreeViewRoot>("new");
    TreeViewNode* x = add(*next, "x");
    x->select(true); // selected before the view knew it
    std::unique_ptr<TreeViewRoot> old = view.setRoot(std::move(next));
    EXPECT_EQ(old->firstChild(), a);
    EXPECT_FALSE(a->hasFocus());
    EXPECT_EQ(view.focusNode(), nullptr);
    EXPECT_EQ(selectedLabels(view), std::vector<std::string>{"x"});
    // The old tree no longer reports to the view.
    a->setLabel("changed");
    EXPECT_EQ(a->view(), nullptr);
}

} // namespace
} // namespace qx::test
