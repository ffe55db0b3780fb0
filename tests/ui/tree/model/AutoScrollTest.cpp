#include "TreeTestSupport.h"

#include "ui/tree/model/AutoScroller.h"

#include <gtest/gtest.h>

#include <map>

namespace qx::test {
namespace {

TEST(AutoScroll, TwoSecondsAtTheBottomEdgeScrollFasterEachHalfSecond) {
    RecordingView view(treestyle::Lines | treestyle::DropTarget, 200, 160);
    view.setAutoScrollInset(8);
    addMany(view.treeRoot(), "n", 10000);
    const std::int64_t start = view.fakeClock.now;
    view.dragOver({100, 155});
    ASSERT_TRUE(view.autoScrolling());

    // step size by half-second period, from 10 ms ticks over two seconds
    std::map<std::int64_t, std::vector<int>> steps;
    for (int t = 10; t <= 2000; t += 10) {
        view.fakeClock.now = start + t;
        const int before = view.scrollY();
        if (view.autoScrollTick())
            steps[t / 500].push_back((view.scrollY() - before) / view.lineHeight());
    }
    // First step after 200 ms, then one every 50 ms.
    EXPECT_EQ(steps[0], std::vector<int>(6, 1)); // at 200, 250 ... 450
    EXPECT_EQ(steps[1], std::vector<int>(10, 2));
    EXPECT_EQ(steps[2], std::vector<int>(10, 4));
    EXPECT_EQ(steps[3], std::vector<int>(10, 8));
    EXPECT_EQ(steps[4], std::vector<int>{16});
}

TEST(AutoScroll, StepsStopAtTwentyAndAtTheEnd) {
    FakeClock clock;
    AutoScroller scroller;
    scroller.setDirection(AutoScroller::Down, clock.now);
    int largest = 0;
    for (int t = 0; t < 10000; t += 50)
        largest = std::max(largest, scroller.tick(clock.now + t));
    EXPECT_EQ(largest, 20);

    RecordingView view(treestyle::Lines, 200, 160);
    view.setAutoScrollInset(8);
    addMany(view.treeRoot(), "n", 20); // 320 high: 160 to scroll
    view.dragOver({100, 2});
    EXPECT_FALSE(view.autoScrolling()); // already at the top
    view.dragOver({100, 158});
    EXPECT_TRUE(view.autoScrolling());
    for (int t = 0; t < 5000 && view.autoScrolling(); t += 25) {
        view.fakeClock.now += 25;
        view.autoScrollTick();
    }
    EXPECT_EQ(view.scrollY(), 160);
    EXPECT_FALSE(view.autoScrolling());
    view.dragOver({2, 2}); // up and left: only up can move
    EXPECT_TRUE(view.autoScrolling());
    view.dragEnded();
    EXPECT_FALSE(view.autoScrolling());
}

TEST(AutoScroll, ANewDirectionStartsSlowAgain) {
    AutoScroller scroller;
    scroller.setDirection(AutoScroller::Down, 0);
    for (int t = 0; t <= 1200; t += 50)
        scroller.tick(t);
    EXPECT_EQ(scroller.step(), 4);
    scroller.setDirection(AutoScroller::Down | AutoScroller::Right, 1200);
    EXPECT_EQ(scroller.step(), 1);
    EXPECT_EQ(scroller.tick(1399), 0);
    EXPECT_EQ(scroller.tick(1400), 1);
    EXPECT_EQ(scroller.delay(), 50);
}

} // namespace
} // namespace qx::test
