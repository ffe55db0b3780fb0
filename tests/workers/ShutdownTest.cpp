#include "BoardFixture.h"
#include "Eventually.h"

#include "RawSocketServer.h"
#include "model/SearchRef.h"
#include "net/CInternetSession.h"
#include "net/iurlwstream.h"
#include "platform/SystemError.h"
#include "workers/CheckList.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace qx::test {
namespace {

using Clock = std::chrono::steady_clock;

bool waitFor(const std::function<bool()>& done) {
    return eventually(done);
}

// A check worker that asks a server which never answers and, like a search
// module that ignores its stop event, does not cut its request short: only
// the session's stall limit ends it.
class SilentServerJobs : public CheckJobs {
public:
    static constexpr std::uint32_t kStallMs = 1500;

    class Worker : public CheckWorker {
    public:
        Worker(SilentServerJobs& jobs, platform::MessageTarget* window, const Str& url,
               CheckNode* node)
            : CheckWorker(window, url, node), jobs_(jobs), session_("qxseek test") {
            ++jobs_.alive;
            session_.SetOption(option::ReceiveTimeout, kStallMs);
        }
        ~Worker() override { --jobs_.alive; }
        int Run() override {
            signalStarted();
            iurlwstream in(session_.OpenUrl(Url().c_str()));
            const int result = in.good() ? 0 : static_cast<int>(platform::lastError());
            PostEnd(1);
            return result;
        }

    private:
        SilentServerJobs& jobs_;
        CInternetSession session_;
    };

    std::unique_ptr<CheckWorker> MakeCheckWorker(platform::MessageTarget* window, const Str& url,
                                                 const platform::SystemTime&,
                                                 CheckNode& node) override {
        return std::make_unique<Worker>(*this, window, url, &node);
    }
    void ApplyCheck(CheckWorker&, int) override { ++applied; }
    bool CheckReference(Ref&) override { return false; }

    std::atomic<int> alive{0};
    int applied = 0;
};

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

TEST_F(WorkersShutdown, WorkerStuckInASilentServerIsAbandonedAndEndsOnItsOwn) {
    RawSocketServer server(RawSocketServer::silent());
    SilentServerJobs jobs;
    board_->SetCheckJobs(&jobs);
    ASSERT_TRUE(board_->QueueCheck(server.url("/never").c_str(), {}));
    ASSERT_EQ(board_->Schedule(), JobBoard::Pass::CheckStarted);
    const auto start = Clock::now();
    board_.reset();
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(JobBoard::kShutdownWaitMs + 3000));
    EXPECT_EQ(jobs.alive, 1);

    int posted = 0;
    loop_.setHandler(
        [&posted](platform::MessageId, platform::WParam, platform::LParam) { ++posted; });
    ASSERT_TRUE(waitFor([&jobs] { return jobs.alive == 0; }));
    loop_.processPending();
    EXPECT_EQ(posted, 0);
    EXPECT_EQ(jobs.applied, 0);
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
