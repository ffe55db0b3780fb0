#include "TreeTestSupport.h"

#include <gtest/gtest.h>

namespace qx::test {
namespace {

using Labels = std::vector<std::string>;
constexpr TreeModifiers kNone{};
constexpr TreeModifiers kShift{true, false};
constexpr TreeModifiers kCtrl{false, true};
constexpr std::uint32_t kHiddenRoot = treestyle::Lines;

// a (a0, a1 (a10)), b, c
struct Tree {
    explicit Tree(TreeViewRoot& root) {
        a = add(root, "a");
        a0 = add(*a, "a0");
        a1 = add(*a, "a1");
        a10 = add(*a1, "a10");
        b = add(root, "b");
        c = add(root, "c");
    }
    TreeViewNode *a, *a0, *a1, *a10, *b, *c;
};

TEST(Keyboard, LeftOnATopLevelNodeWithTheRootHiddenStaysPut) {
    RecordingView view(kHiddenRoot);
    Tree t(view.treeRoot());
    t.b->makeFocus();
    view.keyPress(TreeKey::Left, kNone);
    EXPECT_EQ(view.focusNode(), t.b);

    view.setTreeStyle(treestyle::Default); // root shown: Left reaches it
    view.keyPress(TreeKey::Left, kNone);
    EXPECT_EQ(view.focusNode(), &view.treeRoot());
}

TEST(Keyboard, RightExpandsAndEntersLeftCollapsesThenClimbs) {
    RecordingView view(kHiddenRoot);
    Tree t(view.treeRoot());
    t.a->makeFocus();
    view.keyPress(TreeKey::Right, kNone);
    EXPECT_TRUE(t.a->isExpanded());
    EXPECT_EQ(view.focusNode(), t.a0);
    EXPECT_EQ(selectedLabels(view), Labels{"a0"});
    view.keyPress(TreeKey::Right, kNone); // a0 cannot expand
    EXPECT_EQ(view.focusNode(), t.a0);

    view.keyPress(TreeKey::Left, kNone);
    EXPECT_EQ(view.focusNode(), t.a);
    view.keyPress(TreeKey::Left, kNone);
    EXPECT_FALSE(t.a->isExpanded());
    EXPECT_EQ(view.focusNode(), t.a);
}

TEST(Keyboard, VisibleWalkSkipsCollapsedSubtrees) {
    RecordingView view(kHiddenRoot);
    Tree t(view.treeRoot());
    t.a->expand(true);
    // a1 is closed: a10 is not a row.
    Labels seen;
    view.keyPress(TreeKey::Home, kNone);
    for (int i = 0; i < 6; ++i) {
        seen.push_back(view.focusNode()->label());
        view.keyPress(TreeKey::Down, kNone);
    }
    EXPECT_EQ(seen, (Labels{"a", "a0", "a1", "b", "c", "c"}));
    t.a1->expand(true);
    view.keyPress(TreeKey::Up, kNone);
    view.keyPress(TreeKey::Up, kNone);
    EXPECT_EQ(view.focusNode(), t.a10);
    view.keyPress(TreeKey::End, kNone);
    EXPECT_EQ(view.focusNode(), t.c);
}

TEST(Keyboard, ModifiersDecideWhatTheSelectionDoes) {
    RecordingView view(kHiddenRoot);
    Tree t(view.treeRoot());
    view.keyPress(TreeKey::Home, kNone);
    view.keyPress(TreeKey::Down, kCtrl);
    view.keyPress(TreeKey::Down, kCtrl);
    EXPECT_EQ(view.focusNode(), t.c);
    EXPECT_EQ(selectedLabels(view), Labels{"a"});
    view.keyPress(TreeKey::Space, kCtrl);
    EXPECT_EQ(selectedLabels(view), (Labels{"a", "c"}));
    view.keyPress(TreeKey::Up, kShift); // from the anchor c up to b
    EXPECT_EQ(selectedLabels(view), (Labels{"b", "c"}));
    view.keyPress(TreeKey::Up, kShift);
    EXPECT_EQ(selectedLabels(view), (Labels{"a", "b", "c"}));
    view.keyPress(TreeKey::Space, kNone);
    EXPECT_EQ(selectedLabels(view), (Labels{"b", "c"}));
    view.keyPress(TreeKey::Escape, kNone);
    EXPECT_TRUE(selectedLabels(view).empty());
    view.keyPress(TreeKey::Add, kNone);
    EXPECT_TRUE(t.a->isExpanded());
    view.keyPress(TreeKey::Subtract, kNone);
    EXPECT_FALSE(t.a->isExpanded());
}

TEST(Keyboard, PageKeysMoveByAWindowAndScroll) {
    RecordingView view(kHiddenRoot, 200, 160); // ten rows
    addMany(view.treeRoot(), "n", 100);
    view.keyPress(TreeKey::Home, kNone);
    view.keyPress(TreeKey::PageDown, kNone);
    EXPECT_EQ(view.focusNode()->label(), "n9");
    EXPECT_EQ(view.scrollY(), 0);
    view.keyPress(TreeKey::PageDown, kNone);
    EXPECT_EQ(view.focusNode()->label(), "n18");
    EXPECT_EQ(view.scrollY(), 9 * 16); // n9 was put at the top first
    view.keyPress(TreeKey::PageUp, kNone);
    EXPECT_EQ(view.focusNode()->label(), "n9");
    EXPECT_EQ(view.scrollY(), 9 * 16);
    view.keyPress(TreeKey::End, kNone);
    EXPECT_EQ(view.scrollY(), 90 * 16);
    view.keyPress(TreeKey::PageDown, kNone);
    EXPECT_EQ(view.focusNode()->label(), "n99");
}

TEST(Keyboard, CollapsingAboveTheFocusBringsItToTheCollapsedNode) {
    RecordingView view(kHiddenRoot);
    Tree t(view.treeRoot());
    t.a->expand(true);
    t.a1->expand(true);
    t.a10->makeFocus();
    t.a->expand(false);
    EXPECT_EQ(view.focusNode(), t.a);
    view.keyPress(TreeKey::Down, kNone);
    EXPECT_EQ(view.focusNode(), t.b);
}

} // namespace
} // namespace qx::test
