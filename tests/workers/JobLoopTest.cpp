#include "workers/JobLoop.h"
#include "TempDir.h"
#include "settings/ApplicationProfile.h"
#include "settings/Options.h"
#include "workers/CheckList.h"
#include "workers/CheckWorker.h"
#include "workers/JobKinds.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace qx::test {
namespace {

// Check workers that note how many of them run at the same moment.
class CountingJobs : public CheckJobs {
public:
    class Worker : public CheckWorker {
    public:
        Worker(CountingJobs& jobs, platform::MessageTarget* window, const Str& url, CheckNode* node)
            : CheckWorker(window, url, node), jobs_(jobs) {}
        int Run() override {
            const int now = ++jobs_.running;
            int most = jobs_.most.load();
            while (now > most && !jobs_.most.compare_exchange_weak(most, now)) {
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            --jobs_.running;
            PostEnd(1);
            return 0;
        }

    private:
        CountingJobs& jobs_;
    };

    std::unique_ptr<CheckWorker> MakeCheckWorker(platform::MessageTarget* window, const Str& url,
                                                 const platform::SystemTime&,
                                                 CheckNode& node) override {
        return std::make_unique<Worker>(*this, window, url, &node);
    }
    void ApplyCheck(CheckWorker& worker, int) override {
        ++applied;
        worker.Node()->SetState(CheckNode::Done);
    }
    bool CheckReference(Ref&) override { return false; }

    std::atomic<int> running{0};
    std::atomic<int> most{0};
    int applied = 0;
};

class WorkersJobLoop : public ::testing::Test {
protected:
    TempDir dir_;
    ApplicationProfile profile_{dir_.file("qxseek.INI")};
    Options options_;
    CountingJobs jobs_;
};

// Checks have a limit of their own, "CheckThreads"; "maxthreads" is for searches.
TEST_F(WorkersJobLoop, RunsEveryQueuedCheckWithinCheckThreads) {
    options_.maxThreads = 1;
    options_.checkThreads = 3;
    JobLoop jobs(options_, profile_);
    jobs.Board().SetCheckJobs(&jobs_);
    for (int i = 0; i < 40; ++i)
        ASSERT_TRUE(jobs.Board().QueueCheck(("http://h/" + std::to_string(i)).c_str(), {}));
    ASSERT_TRUE(jobs.Run(20000));
    EXPECT_EQ(jobs_.applied, 40);
    EXPECT_LE(jobs_.most, 3);
    EXPECT_GE(jobs_.most, 1);
    EXPECT_TRUE(jobs.Board().Checks().empty());
}

TEST_F(WorkersJobLoop, EndsAtOnceWhenNothingCanStart) {
    options_.maxThreads = 0;
    JobLoop jobs(options_, profile_);
    jobs.Board().SetCheckJobs(&jobs_);
    ASSERT_TRUE(jobs.Board().QueueCheck("http://h/", {}));
    ASSERT_TRUE(jobs.Run(5000));
    EXPECT_EQ(jobs_.applied, 0);
    EXPECT_EQ(jobs.Board().Checks().count(), 1u);
}

} // namespace
} // namespace qx::test
