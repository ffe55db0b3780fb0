#include "TreeTestSupport.h"

#include <gtest/gtest.h>

namespace qx::test {
namespace {

using Labels = std::vector<std::string>;
constexpr TreeModifiers kNone{};
constexpr TreeModifiers kShift{true, false};
constexpr TreeModifiers kCtrl{false, true};

// Hidden root, rows n0..n9, labels from x = 16.
class Mouse : public ::testing::Test {
protected:
    Mouse() : view(treestyle::Lines | treestyle::Draggable) { addMany(view.treeRoot(), "n", 10); }
    TreeViewNode* node(int i) {
        TreeViewNode* n = view.treeRoot().firstChild();
        while (i-- > 0)
            n = n->next();
        return n;
    }
    TreePoint on(int i) { return {20, i * 16 + 8}; }
    void click(int i, TreeModifiers keys = kNone, TreeButton button = TreeButton::Left) {
        view.mousePress(on(i), button, keys);
        view.mouseRelease(on(i), button);
    }
    RecordingView view;
};

TEST_F(Mouse, PlainClickSelectsOnlyTheNode) {
    click(2);
    click(5);
    EXPECT_EQ(selectedLabels(view), Labels{"n5"});
    EXPECT_EQ(view.focusNode(), node(5));
    EXPECT_EQ(view.anchorNode(), node(5));
    // Below the last row: the selection is cleared.
    node(9)->remove();
    view.mousePress({20, 150}, TreeButton::Left, kNone);
    EXPECT_TRUE(selectedLabels(view).empty());
}

TEST_F(Mouse, ShiftClickUpwardSelectsTheRangeInDisplayOrder) {
    click(6);
    click(8, kCtrl);
    click(3, kShift);
    EXPECT_EQ(selectedLabels(view), (Labels{"n3", "n4", "n5", "n6", "n7", "n8"}));
    EXPECT_EQ(view.focusNode(), node(3));
    EXPECT_EQ(view.anchorNode(), node(8));
    // The anchor stays: a second Shift+click reaches from it again.
    click(9, kShift);
    EXPECT_EQ(selectedLabels(view), (Labels{"n8", "n9"}));
}

TEST_F(Mouse, CtrlClickOnASelectedNodeDeselectsOnRelease) {
    click(1);
    click(4, kCtrl);
    EXPECT_EQ(selectedLabels(view), (Labels{"n1", "n4"}));
    view.mousePress(on(1), TreeButton::Left, kCtrl);
    EXPECT_TRUE(node(1)->isSelected());
    view.mouseRelease(on(1), TreeButton::Left);
    EXPECT_FALSE(node(1)->isSelected());
    EXPECT_EQ(selectedLabels(view), Labels{"n4"});
    EXPECT_EQ(view.focusNode(), node(1));
}

TEST_F(Mouse, ClickOnASelectedNodeKeepsTheSelectionForADrag) {
    click(1);
    click(2, kCtrl);
    click(3, kCtrl);
    // Released without moving: the selection shrinks to the node.
    view.mousePress(on(2), TreeButton::Left, kNone);
    EXPECT_EQ(view.selectedCount(), 3);
    view.mouseRelease(on(2), TreeButton::Left);
    EXPECT_EQ(selectedLabels(view), Labels{"n2"});

    click(3, kCtrl);
    view.mousePress(on(2), TreeButton::Left, kNone);
    view.mouseMove({60, 8 + 2 * 16 + 30}, true);
    EXPECT_EQ(view.drags, 1);
    view.mouseRelease({60, 80}, TreeButton::Left);
    EXPECT_EQ(selectedLabels(view), (Labels{"n2", "n3"}));

    // The right button keeps a multi-selection for a context menu.
    click(2, kNone, TreeButton::Right);
    EXPECT_EQ(selectedLabels(view), (Labels{"n2", "n3"}));
}

TEST_F(Mouse, AShortDragNeverStartsHoweverLongTheButtonIsHeld) {
    view.setDragDistance(4);
    view.mousePress(on(2), TreeButton::Left, kNone);
    for (int i = 0; i < 100; ++i) {
        view.fakeClock.now += 100;
        view.mouseMove({on(2).x + 2, on(2).y + (i % 2 ? 2 : -2)}, true); // 2.8 px away
    }
    view.mouseMove({on(2).x + 4, on(2).y}, true); // exactly the distance
    EXPECT_EQ(view.drags, 0);
    view.mouseMove({on(2).x + 3, on(2).y + 3}, true); // 4.2 px away
    EXPECT_EQ(view.drags, 1);
    view.mouseMove({on(2).x + 30, on(2).y + 30}, true);
    EXPECT_EQ(view.drags, 1);

    // Without the drag style nothing starts.
    view.setTreeStyle(treestyle::Lines);
    view.mousePress(on(2), TreeButton::Left, kNone);
    view.mouseMove({150, 150}, true);
    EXPECT_EQ(view.drags, 1);
}

TEST_F(Mouse, ButtonCellOfAnOnDemandNodeExpandsAndAsksForChildren) {
    TreeViewNode* lazy = node(1);
    lazy->setExpandOnDemand(true);
    int fills = 0;
    view.onExpanding = [&](TreeViewNode& n, bool on) {
        if (on && !n.hasChildren()) {
            ++fills;
            addMany(n, "made", 3);
        }
    };
    view.log.clear();
    view.mousePress({5, 16 + 8}, TreeButton::Left, kNone);
    view.mouseRelease({5, 16 + 8}, TreeButton::Left);
    EXPECT_TRUE(lazy->isExpanded());
    EXPECT_EQ(fills, 1);
    EXPECT_FALSE(view.layoutPending()); // laid out at once
    EXPECT_EQ(view.nodeTop(*lazy->firstChild()), 2 * 16);
    EXPECT_EQ(view.hitTest({40, 4 * 16 + 8}).node->label(), "made2");

    // The same cell collapses it again.
    view.mousePress({5, 16 + 8}, TreeButton::Left, kNone);
    EXPECT_FALSE(lazy->isExpanded());
    EXPECT_EQ(view.log.back(), "collapsed n1");
    // The right button does not toggle.
    view.mousePress({5, 16 + 8}, TreeButton::Right, kNone);
    EXPECT_FALSE(lazy->isExpanded());
    // A node that cannot expand ignores its button cell.
    view.mousePress({5, 3 * 16 + 8}, TreeButton::Left, kNone);
    EXPECT_FALSE(node(3)->isExpanded());
}

TEST_F(Mouse, SelectionRefusalsAndTheNeverSelectedStyle) {
    view.refused = node(4);
    click(4);
    EXPECT_FALSE(node(4)->isSelected());
    EXPECT_EQ(view.focusNode(), node(4));
    click(2, kShift);
    EXPECT_EQ(selectedLabels(view), (Labels{"n2", "n3"}));

    view.setTreeStyle(treestyle::Lines | treestyle::NoSelection);
    click(6);
    EXPECT_FALSE(node(6)->isSelected());
    EXPECT_EQ(view.selectedCount(), 0);
    EXPECT_EQ(view.focusNode(), node(6));
}

} // namespace
} // namespace qx::test
