#include "platform/Message.h"
#include "platform/MessageLoop.h"
#include "platform/StatusLine.h"

#include <gtest/gtest.h>

#include <set>
#include <thread>
#include <vector>

using namespace qx::platform;

TEST(Message, RegisteredNumbersAreOnePerNameAcrossThreads) {
    const MessageId end = registerMessage("_WM_THREADEND");
    EXPECT_GE(end, kFirstRegisteredMessage);
    EXPECT_EQ(registerMessage("_WM_THREADEND"), end);
    EXPECT_NE(registerMessage("_WM_THREADPAGE"), end);
    EXPECT_EQ(registerMessage(""), kNullMessage);

    std::vector<MessageId> got(8);
    std::vector<std::thread> threads;
    for (int i = 0; i < 8; ++i)
        threads.emplace_back([&got, i] { got[i] = registerMessage("racing name"); });
    for (auto& t : threads)
        t.join();
    EXPECT_EQ(std::set<MessageId>(got.begin(), got.end()).size(), 1u);
}

TEST(MessageLoop, HandlesPostsFromOtherThreadsInOrderAndIdlesBetween) {
    MessageLoop loop;
    std::vector<WParam> handled;
    int idles = 0;
    loop.setHandler([&](MessageId msg, WParam w, LParam l) {
        EXPECT_EQ(msg, 0xC123u);
        EXPECT_EQ(l, -7);
        handled.push_back(w);
        if (handled.size() == 100)
            loop.quit();
    });
    loop.setIdleStep([&] {
        ++idles;
        return false;
    });
    std::thread poster([&] {
        for (WParam i = 0; i < 100; ++i)
            loop.post(0xC123, i, -7);
    });
    EXPECT_TRUE(loop.runFor(5000));
    poster.join();
    ASSERT_EQ(handled.size(), 100u);
    for (WParam i = 0; i < 100; ++i)
        EXPECT_EQ(handled[i], i);
    EXPECT_GE(idles, 1);
}

TEST(MessageLoop, IdleStepRunsAgainWhileItAsksAndTheNullMessageOnlyWakes) {
    MessageLoop loop;
    int handled = 0;
    int idles = 0;
    loop.setHandler([&](MessageId, WParam, LParam) { ++handled; });
    loop.setIdleStep([&] { return ++idles < 3; });
    EXPECT_FALSE(loop.runFor(50));
    EXPECT_EQ(idles, 3);
    loop.post(kNullMessage, 0, 0);
    loop.processPending();
    EXPECT_EQ(handled, 0);
    EXPECT_EQ(idles, 4);
}

TEST(StatusLine, ChangedFlagIsTakenOnceAndTheWakeGoesToTheTarget) {
    StatusLine status;
    MessageLoop loop;
    int wakes = 0;
    loop.setIdleStep([&] {
        ++wakes;
        return false;
    });
    EXPECT_FALSE(status.takeStatusChanged());
    status.setStatusLine("Checking: resolving");
    EXPECT_TRUE(status.takeStatusChanged());
    EXPECT_FALSE(status.takeStatusChanged());
    EXPECT_EQ(status.statusLine(), "Checking: resolving");

    status.wakeUi(); // no target yet: nothing to do
    status.setWakeTarget(&loop);
    status.wakeUi();
    loop.processPending();
    EXPECT_EQ(wakes, 1);

    EXPECT_FALSE(status.startedEvent().isSet());
    status.signalStarted();
    EXPECT_TRUE(status.startedEvent().wait(0));
}
