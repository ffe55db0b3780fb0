#include "platform/Event.h"

#include <gtest/gtest.h>

#include <chrono>
#include <poll.h>
#include <thread>

using namespace qx::platform;
using Clock = std::chrono::steady_clock;

namespace {

long msSince(Clock::time_point start) {
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

bool pollable(const Event& e) {
    pollfd p{e.fd(), POLLIN, 0};
    return ::poll(&p, 1, 0) == 1;
}

} // namespace

TEST(Event, StaysSetForEveryWaiterUntilReset) {
    Event e;
    ASSERT_TRUE(e.valid());
    EXPECT_FALSE(e.isSet());
    EXPECT_FALSE(pollable(e));
    e.set();
    e.set(); // twice is still one set, and one reset clears it
    EXPECT_TRUE(e.wait(0));
    EXPECT_TRUE(e.wait(0));
    EXPECT_TRUE(pollable(e));
    e.reset();
    EXPECT_FALSE(e.isSet());
    EXPECT_FALSE(pollable(e));
    e.reset();
    EXPECT_FALSE(e.isSet());
    Event initially(true);
    EXPECT_TRUE(initially.isSet());
}

TEST(Event, TimedWaitEndsAfterItsTimeOrWhenSetFromAnotherThread) {
    Event e;
    auto start = Clock::now();
    EXPECT_FALSE(e.wait(100));
    EXPECT_GE(msSince(start), 95);

    std::thread setter([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        e.set();
    });
    start = Clock::now();
    EXPECT_TRUE(e.wait(kInfinite));
    EXPECT_LT(msSince(start), 2000);
    setter.join();
}

TEST(Event, WaitForAnyNamesTheEventThatWasSet) {
    Event a, b;
    const Event* both[] = {&a, &b};
    EXPECT_EQ(waitForAny(both, 2, 20), -1);
    std::thread setter([&] { b.set(); });
    EXPECT_EQ(waitForAny(both, 2, 2000), 1);
    setter.join();
    a.set();
    EXPECT_EQ(waitForAny(both, 2, 0), 0);
}

TEST(Event, ConcurrentSetAndResetLeaveAConsistentState) {
    Event e;
    std::thread setter([&] {
        for (int i = 0; i < 2000; ++i)
            e.set();
    });
    std::thread resetter([&] {
        for (int i = 0; i < 2000; ++i)
            e.reset();
    });
    setter.join();
    resetter.join();
    e.reset();
    EXPECT_FALSE(e.isSet()); // a counter left above one would still read as set
    e.set();
    EXPECT_TRUE(e.isSet());
}
