#include "BoardFixture.h"

#include "model/SearchRef.h"

#include <chrono>
#include <thread>

namespace qx::test {
namespace {

using Clock = std::chrono::steady_clock;

bool waitFor(const std::function<bool()>& done) {
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    while (!done()) {
        if (Clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

class WorkersShutdown : public BoardFixture {
protected:
    void startTwo() {
        FindInfo request;
        waits_.Append(std::make_unique<WaitNode>(search_, 1, request));
        ASSERT_TRUE(board_->QueueCheck("http://a/", {}));
        ASSERT_EQ(board_->Schedule(), JobBoard::Pass::SearchStarted);
        ASSERT_EQ(board_->Schedule(), JobBoard::Pass::CheckStarted);
    }

    SearchRef search_{Str("s")};
};

TEST_F(WorkersShutdown, StuckWorkersAreAbandonedAfterTheWaitAndEndWithoutPosting) {
    control_.obeyStop = false;
    startTwo();
    const auto start = Clock::now();
    board_.reset();
    const auto took = Clock::now() - start;
    EXPECT_GE(took, std::chrono::milliseconds(2 * JobBoard::kShutdownWaitMs - 100));
    EXPECT_LT(took, std::chrono::milliseconds(2 * JobBoard::kShutdownWaitMs + 3000));
    EXPECT_EQ(searches_.calls.back(), "abandoned 1");
    EXPECT_EQ(control_.alive, 2);

    int posted = 0;
    loop_.setHandler(
        [&posted](platform::MessageId, platform::WParam, platform::LParam) { ++posted; });
    control_.gate.set();
    ASSERT_TRUE(waitFor([this] { return control_.alive == 0; }));
    EXPECT_EQ(control_.exited, 2);
    loop_.processPending();
    EXPECT_EQ(posted, 0);
}

TEST_F(WorkersShutdown, WorkersThatStopInTimeAreDeletedAtOnce) {
    startTwo();
    const auto start = Clock::now();
    board_.reset();
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(JobBoard::kShutdownWaitMs));
    EXPECT_EQ(control_.alive, 0);
    EXPECT_EQ(control_.exited, 0);
    EXPECT_TRUE(waits_.empty());
}

} // namespace
} // namespace qx::test
