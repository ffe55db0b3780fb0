#include "TreeTestSupport.h"

#include "ui/tree/model/TipTracker.h"

#include <gtest/gtest.h>

namespace qx::test {
namespace {

class RecordingSink : public TipWindowSink {
public:
    void startTipTimer() override { timer = true; }
    void stopTipTimer() override { timer = false; }
    bool showTip(TreeViewNode& node) override {
        shown = &node;
        ++shows;
        return true;
    }
    void hideTip() override { shown = nullptr; }

    bool timer = false;
    TreeViewNode* shown = nullptr;
    int shows = 0;
};

class Tip : public ::testing::Test {
protected:
    Tip() : tracker(sink) {}
    // Ticks every 55 ms for ms milliseconds.
    void run(int ms, bool inside = true) {
        for (int t = 0; t < ms; t += TipTracker::kTickMs) {
            clock.now += TipTracker::kTickMs;
            if (sink.timer)
                tracker.timerTick(inside, clock.now);
        }
    }
    FakeClock clock;
    RecordingSink sink;
    TipTracker tracker;
    TreeViewNode a{"a long label"};
    TreeViewNode b{"another"};
};

TEST_F(Tip, ShowsAfterHalfASecondAndHidesAfterFive) {
    tracker.mouseMessage(&a, {5, 5}, true, clock.now);
    EXPECT_TRUE(sink.timer);
    run(495);
    EXPECT_EQ(sink.shown, nullptr);
    run(55);
    EXPECT_EQ(sink.shown, &a);
    tracker.mouseMessage(&a, {9, 5}, true, clock.now); // same item: the clock keeps running
    run(4400);
    EXPECT_EQ(sink.shown, &a);
    run(110);
    EXPECT_EQ(sink.shown, nullptr);
    EXPECT_FALSE(sink.timer);
    run(3000);
    EXPECT_EQ(sink.shows, 1);
}

TEST_F(Tip, MovesToANewItemAfterAHundredMilliseconds) {
    tracker.mouseMessage(&a, {5, 5}, true, clock.now);
    run(600);
    ASSERT_EQ(sink.shown, &a);
    tracker.mouseMessage(&b, {5, 25}, true, clock.now);
    run(55);
    EXPECT_EQ(sink.shown, &a);
    run(55);
    EXPECT_EQ(sink.shown, &b);
    tracker.mouseMessage(nullptr, {5, 90}, true, clock.now);
    run(55);
    EXPECT_EQ(sink.shown, nullptr);
}

TEST_F(Tip, LeavingTheControlOrLosingTheNodeHidesIt) {
    tracker.mouseMessage(&a, {5, 5}, true, clock.now);
    run(600);
    ASSERT_EQ(sink.shown, &a);
    run(55, false);
    EXPECT_EQ(sink.shown, nullptr);

    tracker.mouseMessage(&b, {5, 5}, true, clock.now);
    run(600);
    ASSERT_EQ(sink.shown, &b);
    tracker.forget(b);
    EXPECT_EQ(sink.shown, nullptr);
    EXPECT_EQ(tracker.trackedItem(), nullptr);
}

TEST_F(Tip, NothingInTheBackgroundOrWithoutALabel) {
    tracker.mouseMessage(&a, {5, 5}, false, clock.now);
    EXPECT_FALSE(sink.timer);
    TreeViewNode empty;
    tracker.mouseMessage(&empty, {5, 5}, true, clock.now);
    run(1000);
    EXPECT_EQ(sink.shows, 0);
    EXPECT_FALSE(sink.timer);
}

} // namespace
} // namespace qx::test
