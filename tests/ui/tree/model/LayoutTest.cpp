#include "TreeTestSupport.h"

#include "ui/tree/model/TreeLayout.h"

#include <gtest/gtest.h>

namespace qx::test {
namespace {

constexpr std::uint32_t kHiddenRoot = treestyle::Lines | treestyle::Draggable;

TEST(TreeLayout, ZonesFollowDepthStyleAndImages) {
    RecordingView view(treestyle::Default);
    view.setImageWidth(0, 16);
    view.setImageWidth(1, 10);
    TreeViewNode* a = add(view.treeRoot(), "a");

    TreeZones z = view.zones(*a, 1); // root shown: one more level
    EXPECT_EQ(z.indent, 16);
    EXPECT_EQ(z.buttonEnd, 32);
    EXPECT_EQ(z.firstImage, -1);
    EXPECT_EQ(z.labelLeft, 32);

    a->setImage(0, 3);
    z = view.zones(*a, 1);
    EXPECT_EQ(z.firstImage, 32);
    EXPECT_EQ(z.labelLeft, 32 + 16 + 2);
    a->setImage(1, 1);
    z = view.zones(*a, 1);
    EXPECT_EQ(z.secondImage, 48);
    EXPECT_EQ(z.labelLeft, 32 + 16 + 10 + 2);

    view.setTreeStyle(kHiddenRoot);
    EXPECT_EQ(view.zones(*a, 1).indent, 0);
    EXPECT_EQ(view.zones(*a, 2).indent, 16);
    view.setTreeStyle(treestyle::Draggable); // no lines: no indentation, no button cell
    z = view.zones(*a, 3);
    EXPECT_EQ(z.indent, 0);
    EXPECT_EQ(z.buttonEnd, 0);

    // An image index without a list draws nothing.
    view.setImageWidth(0, 0);
    view.setImageWidth(1, 0);
    EXPECT_EQ(view.zones(*a, 1).labelLeft, 0);
}

TEST(TreeLayout, RootRowOnlyWhenShown) {
    RecordingView view(treestyle::Default);
    view.treeRoot().setLabel("root");
    addMany(view.treeRoot(), "n", 3);
    EXPECT_EQ(view.contentSize().height, 4 * 16);
    EXPECT_EQ(view.nodeTop(*view.treeRoot().firstChild()), 16);
    view.setTreeStyle(kHiddenRoot);
    EXPECT_EQ(view.contentSize().height, 3 * 16);
    EXPECT_EQ(view.nodeTop(*view.treeRoot().firstChild()), 0);
    EXPECT_EQ(view.nodeTop(view.treeRoot()), -1);
}

// Rows of mixed heights: every node's top and the row found at each height
// agree with a plain walk down the display order.
TEST(TreeLayout, TopsAndRowLookupAgreeWithALinearWalk) {
    RecordingView view(kHiddenRoot | treestyle::MultiLine, 300, 200);
    for (int i = 0; i < 40; ++i) {
        TreeViewNode* n = add(view.treeRoot(), std::string(static_cast<std::size_t>(i % 3), '\n'));
        for (int j = 0; j < i % 4; ++j)
            add(*n, std::string(static_cast<std::size_t>(j % 2), '\n') + "c");
        n->expand(i % 2 == 0);
    }
    view.runPendingLayout();
    const VisibleWalk walk = view.walk();
    int y = 0;
    int rows = 0;
    for (TreeViewNode* n = walk.first(view.treeRoot()); n; n = walk.next(*n), ++rows) {
        ASSERT_EQ(view.nodeTop(*n), y) << rows;
        y += n->rowHeight();
    }
    EXPECT_EQ(view.contentSize().height, y);

    for (int probe = 0; probe < y; probe += 5) {
        view.scrollTo(0, probe);
        const int at = view.scrollY();
        const TreeRow& first = view.visibleRows().front();
        EXPECT_LE(first.top, at);
        EXPECT_GT(first.top + first.node->rowHeight(), at);
        EXPECT_EQ(view.nodeTop(*first.node), first.top);
    }
}

TEST(TreeLayout, ExpandingAHugeNodePlacesOnlyItsChildren) {
    RecordingView view(kHiddenRoot, 400, 320);
    TreeViewRoot& root = view.treeRoot();
    TreeViewNode* big = add(root, "big");
    addMany(root, "top", 1000);
    addMany(*big, "child", 100000);
    view.runPendingLayout();
    std::uint64_t placed = view.placedNodes();
    EXPECT_EQ(placed, 1u + 1001u); // children of a closed node are not looked at

    big->expand(true);
    view.runPendingLayout();
    EXPECT_EQ(view.placedNodes() - placed, 2u + 100000u); // the root, big and its children
    EXPECT_EQ(view.contentSize().height, (1001 + 100000) * 16);
    EXPECT_EQ(view.measurer.exactCalls, 0); // one-line labels are placed unmeasured

    // Only the rows in the window are measured.
    view.scrollTo(0, 50000 * 16);
    EXPECT_EQ(view.visibleRows().size(), 20u);
    EXPECT_EQ(view.measurer.exactCalls, 20);
    EXPECT_EQ(view.visibleRows().front().node->label(), "child49999");

    // Changes deep down are laid out along their paths only.
    placed = view.placedNodes();
    big->lastChild()->setLabel("a much longer label than the others");
    root.lastChild()->setLabel("x");
    view.runPendingLayout();
    EXPECT_EQ(view.placedNodes() - placed, 4u);
    EXPECT_EQ(view.contentSize().width, 32 + 35 * 7 + 2);

    big->expand(false);
    view.runPendingLayout();
    EXPECT_EQ(view.contentSize().height, 1001 * 16);
    EXPECT_EQ(view.scrollY(), 1001 * 16 - 320);
}

TEST(TreeLayout, UnseenLabelsAreEstimatedUntilTheyComeIntoView) {
    RecordingView view(kHiddenRoot, 400, 16);
    addMany(view.treeRoot(), "n", 5);
    TreeViewNode* wide =
        add(view.treeRoot(), "\u0416\u0451\u043b\u0442\u044b\u0439 x"); // 8 characters, 14 bytes
    view.runPendingLayout();
    EXPECT_EQ(wide->right(), 16 + 8 * 7 + 2);
    EXPECT_EQ(view.contentSize().width, 16 + 8 * 7 + 2);
    view.scrollTo(0, 5 * 16);
    ASSERT_EQ(view.visibleRows().front().node, wide);
    // The fake measurer's exact width is 7 pixels a byte.
    EXPECT_EQ(wide->right(), 16 + 14 * 7 + 2);
    EXPECT_EQ(view.contentSize().width, 16 + 14 * 7 + 2);

    // Longer labels mixing one-, two-, three- and four-byte characters are
    // counted by characters wherever they fall.
    const std::string mixed = "ab\u0416\u0451\u20ac\U0001F600cd\u043b\u0442\u044b\u0439 "
                              "xyz\u20ac\u20ac\U0001F600\u0416\u0416q"; // 22 characters, 42 bytes
    TreeViewNode* long1 = add(view.treeRoot(), mixed);
    TreeViewNode* long2 = add(view.treeRoot(), "\u0416" + mixed + "\u00e9"); // 24
    view.scrollTo(0, 0);
    view.runPendingLayout();
    EXPECT_EQ(long1->right(), 16 + 22 * 7 + 2);
    EXPECT_EQ(long2->right(), 16 + 24 * 7 + 2);
}

TEST(TreeLayout, WrappedLabelsFollowTheWindowWidth) {
    RecordingView view(kHiddenRoot | treestyle::MultiLine | treestyle::WrapLabels, 200, 160);
    TreeViewNode* a = add(view.treeRoot(), std::string(50, 'x'));
    view.runPendingLayout();
    // 200 - 16 (button cell) - 2 = 182 pixels: 26 characters a line.
    EXPECT_EQ(a->rowHeight(), 2 * 14 + 2);
    view.setViewportSize(800, 160);
    view.runPendingLayout();
    EXPECT_EQ(a->rowHeight(), 16);
    // Never narrower than ten average characters.
    view.setViewportSize(20, 160);
    view.runPendingLayout();
    EXPECT_EQ(a->rowHeight(), 5 * 14 + 2);
}

TEST(TreeLayout, FontChangeMeasuresEverythingAgain) {
    RecordingView view(kHiddenRoot | treestyle::MultiLine);
    addMany(view.treeRoot(), "n", 10);
    view.runPendingLayout();
    EXPECT_EQ(view.measurer.exactCalls, 10);
    view.runPendingLayout();
    EXPECT_EQ(view.measurer.exactCalls, 10);
    view.fontChanged();
    view.runPendingLayout();
    EXPECT_EQ(view.measurer.exactCalls, 20);
}

} // namespace
} // namespace qx::test
