#include "platform/Thread.h"
#include "platform/Event.h"

#include <gtest/gtest.h>

#include <atomic>
#include <sys/resource.h>

using namespace qx::platform;

TEST(Thread, PriorityMapsToANiceValueRelativeToTheProcess) {
    EXPECT_EQ(niceForPriority(0, 0), 0);
    EXPECT_EQ(niceForPriority(0, -1), 5);
    EXPECT_EQ(niceForPriority(0, -2), 10);
    EXPECT_EQ(niceForPriority(0, -15), 19);
    EXPECT_EQ(niceForPriority(3, -1), 8);
    EXPECT_EQ(niceForPriority(0, 2), -10);
    EXPECT_EQ(niceForPriority(0, 15), -20);
    EXPECT_EQ(niceForPriority(17, -2), 19);
}

TEST(Thread, StartsAtALowerPriorityAndCanBeLoweredFurther) {
    const int base = ::getpriority(PRIO_PROCESS, 0);
    Thread t;
    Event go, looked;
    std::atomic<int> seen{-100};
    ASSERT_TRUE(t.start(
        [&] {
            seen = ::getpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()));
            looked.set();
            go.wait(kInfinite);
        },
        -1));
    EXPECT_NE(t.id(), 0);
    EXPECT_FALSE(t.start([] {})); // one thread per object
    ASSERT_TRUE(looked.wait(5000));
    EXPECT_EQ(seen.load(), niceForPriority(base, -1));
    EXPECT_TRUE(t.setPriority(-2));
    EXPECT_EQ(::getpriority(PRIO_PROCESS, static_cast<id_t>(t.id())), niceForPriority(base, -2));
    go.set();
    t.join();
    EXPECT_FALSE(t.setPriority(-1)); // ended
}

TEST(Thread, ARefusedRaiseStillRunsTheBody) {
    std::atomic<bool> ran{false};
    {
        Thread t;
        ASSERT_TRUE(t.start([&] { ran = true; }, 15));
    } // the destructor joins
    EXPECT_TRUE(ran.load());
}
