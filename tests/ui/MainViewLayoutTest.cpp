#include "ui/MainViewLayout.h"
#include "ui/ProgressGadget.h"

#include <gtest/gtest.h>

namespace qx::ui {
namespace {

TEST(MulDiv, RoundsHalvesAwayFromZeroAndRejectsZeroDivisor) {
    EXPECT_EQ(mulDiv(5, 1, 2), 3);
    EXPECT_EQ(mulDiv(-5, 1, 2), -3);
    EXPECT_EQ(mulDiv(5, -1, -2), 3);
    EXPECT_EQ(mulDiv(800, 777, 1000), 622); // 621.6
    EXPECT_EQ(mulDiv(1, 1, 0), -1);
    EXPECT_EQ(mulDiv(2000000000, 2000000000, 2), -1);      // does not fit
    EXPECT_EQ(mulDiv(2000000000, 1000, 1000), 2000000000); // no 32-bit overflow
}

TEST(MainViewLayout, FirstTreeTakesItsShareOfTheWidth) {
    MainViewGeometry g{.width = 1000, .height = 700, .headingHeight = 18, .separator1 = 600};
    MainViewLayout l = layOutMainView(g);
    EXPECT_EQ(l.tree1, (Box{0, 18, 600, 682}));
    EXPECT_EQ(l.tree2, (Box{600, 18, 400, 682}));
    EXPECT_EQ(l.heading1, (Box{0, 0, 600, 18}));
    EXPECT_EQ(l.heading2, (Box{600, 0, 400, 18}));
    EXPECT_EQ(l.vertical, (Box{598, 0, 4, 700}));
    EXPECT_FALSE(l.horizontalShown);
    EXPECT_EQ(l.threadWindow, Box{});
}

TEST(MainViewLayout, ThreadWindowTakesTheRestBelowTheTrees) {
    MainViewGeometry g{.width = 999,
                       .height = 518,
                       .headingHeight = 18,
                       .separator1 = 333,
                       .separator2 = 800,
                       .threadWindowShown = true};
    MainViewLayout l = layOutMainView(g);
    // Trees: MulDiv(800, 500, 1000) = 400 below the headings; thread window 100.
    EXPECT_EQ(l.threadWindow, (Box{0, 418, 999, 100}));
    EXPECT_EQ(l.tree1, (Box{0, 18, 332, 400})); // 333 * 999 / 1000 truncates
    EXPECT_EQ(l.tree2, (Box{332, 18, 667, 400}));
    EXPECT_TRUE(l.horizontalShown);
    EXPECT_EQ(l.horizontal, (Box{0, 416, 999, 4}));
    EXPECT_EQ(l.vertical, (Box{330, 0, 4, 418}));
}

TEST(MainViewLayout, TinyViewsGiveNoNegativeWidths) {
    MainViewGeometry g{.width = 0, .height = 0, .headingHeight = 18, .threadWindowShown = true};
    MainViewLayout l = layOutMainView(g);
    EXPECT_EQ(l.tree1.w, 0);
    EXPECT_EQ(l.tree2.w, 0);
}

TEST(SplitterRelease, ValuesFollowTheSplitterCentre) {
    EXPECT_EQ(separator1FromSplitter(600, 1000), 600);
    EXPECT_EQ(separator1FromSplitter(999, 1000), 999);
    EXPECT_EQ(separator1FromSplitter(1000000, 3000), 333333); // no 32-bit overflow
    EXPECT_EQ(separator1FromSplitter(10, 0), 0);              // a view with no width
    // h = 18, H = 520: MulDiv(y - 20, 1000, 500).
    EXPECT_EQ(separator2FromSplitter(420, 18, 520), 800);
    EXPECT_EQ(separator2FromSplitter(0, 18, 520), -40);
    // Too low a view to measure: the middle.
    EXPECT_EQ(separator2FromSplitter(10, 18, 20), 500);
    EXPECT_EQ(separator2FromSplitter(10, 18, 5), 500);
}

TEST(ProgressBlocks, CountFollowsTheValueOverAThirdOfTheWidth) {
    EXPECT_EQ(ProgressGadget::blockCount(150, 0), 0);
    EXPECT_EQ(ProgressGadget::blockCount(150, 100), 50);
    EXPECT_EQ(ProgressGadget::blockCount(150, 50), 25);
    EXPECT_EQ(ProgressGadget::blockCount(152, 5), 3); // 50 * 5 / 100 = 2.5 rounds up
    EXPECT_EQ(ProgressGadget::blockCount(0, 100), 0);
}

} // namespace
} // namespace qx::ui
