#include "TreeTestSupport.h"

#include <gtest/gtest.h>

namespace qx::test {
namespace {

using namespace treehit;

class HitTest : public ::testing::Test {
protected:
    HitTest() : view(treestyle::Lines) {
        view.setImageWidth(0, 16);
        view.setImageWidth(1, 10);
        a = add(view.treeRoot(), "abcd"); // row 0: button cell 0..16, label 16..46
        b = add(view.treeRoot(), "b");    // row 1
        b1 = add(*b, "b1");               // row 2: indent 0..16, button 16..32
        b1->setImage(0, 1);
        b1->setImage(1, 2); // images 32..48 and 48..58, label from 60
        b->expand(true);
    }
    RecordingView view;
    TreeViewNode* a;
    TreeViewNode* b;
    TreeViewNode* b1;
};

TEST_F(HitTest, BandsAreTwoSeventhsOfTheRow) {
    // Rows are 16 high: 16 * 2 / 7 = 4 pixels at the top and at the bottom.
    const int top = 16;
    EXPECT_EQ(view.hitTest({20, top}).flags, OnItem | TopBand);
    EXPECT_EQ(view.hitTest({20, top + 3}).flags, OnItem | TopBand);
    EXPECT_EQ(view.hitTest({20, top + 4}).flags, OnItem);
    EXPECT_EQ(view.hitTest({20, top + 11}).flags, OnItem);
    EXPECT_EQ(view.hitTest({20, top + 12}).flags, OnItem | BottomBand);
    EXPECT_EQ(view.hitTest({20, top + 15}).flags, OnItem | BottomBand);
    EXPECT_EQ(view.hitTest({20, top + 15}).node, b);
}

// Rows 20 high: 20 * 2 / 7 = 5 pixels (20 / 7 * 2 would give 4).
TEST_F(HitTest, BandsOfARowHeightThatDoesNotDivideBySeven) {
    view.measurer.height = 18;
    view.fontChanged();
    const int top = view.nodeTop(*b);
    ASSERT_EQ(top, 20);
    ASSERT_EQ(b->rowHeight(), 20);
    EXPECT_EQ(view.hitTest({20, top + 4}).flags, OnItem | TopBand);
    EXPECT_EQ(view.hitTest({20, top + 5}).flags, OnItem);
    EXPECT_EQ(view.hitTest({20, top + 14}).flags, OnItem);
    EXPECT_EQ(view.hitTest({20, top + 15}).flags, OnItem | BottomBand);
    EXPECT_EQ(view.hitTest({20, top + 15}).node, b);
}

TEST_F(HitTest, HorizontalZones) {
    const int y = 2 * 16 + 8;
    EXPECT_EQ(view.hitTest({5, y}).flags, OnIndent);
    EXPECT_EQ(view.hitTest({20, y}).flags, OnButton);
    EXPECT_EQ(view.hitTest({33, y}).flags, OnItem | OnFirstImage);
    EXPECT_EQ(view.hitTest({50, y}).flags, OnItem | OnSecondImage);
    EXPECT_EQ(view.hitTest({59, y}).flags, OnItem);
    EXPECT_EQ(view.hitTest({60 + 2 * 7 + 1, y}).flags, OnItem);
    EXPECT_EQ(view.hitTest({60 + 2 * 7 + 2, y}).flags, RightOfItem);
    EXPECT_EQ(view.hitTest({60 + 2 * 7 + 2, y}).node, b1);
    EXPECT_EQ(view.hitTest({5, 8}).flags, OnButton);
}

TEST_F(HitTest, OutsideTheWindowThereIsNoNode) {
    EXPECT_EQ(view.hitTest({-1, 8}).flags, ToLeft);
    EXPECT_EQ(view.hitTest({200, 8}).flags, ToRight);
    EXPECT_EQ(view.hitTest({5, -1}).flags, Above);
    EXPECT_EQ(view.hitTest({-3, 160}).flags, ToLeft | Below);
    EXPECT_EQ(view.hitTest({-3, 160}).node, nullptr);
    const TreeHit below = view.hitTest({5, 3 * 16});
    EXPECT_EQ(below.flags, Nowhere);
    EXPECT_EQ(below.node, nullptr);
}

TEST_F(HitTest, FollowsScrolling) {
    addMany(view.treeRoot(), "n", 100);
    view.scrollTo(0, 16 * 10 + 2);
    const TreeHit hit = view.hitTest({20, 0});
    ASSERT_NE(hit.node, nullptr);
    EXPECT_EQ(hit.node->label(), "n7"); // rows a, b, b1, then n0...
    EXPECT_EQ(hit.flags, OnItem | TopBand);
}

} // namespace
} // namespace qx::test
