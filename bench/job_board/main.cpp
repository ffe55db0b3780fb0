// The cost of running many short jobs: 10 000 checks whose worker only posts
// its end, scheduled by the real job board through the message loop of the
// headless tool with "maxthreads" 16, against a plain loop that starts and
// joins the same number of std::threads 16 at a time, in one run.

#include "settings/ApplicationProfile.h"
#include "settings/Options.h"
#include "workers/CheckList.h"
#include "workers/CheckWorker.h"
#include "workers/JobKinds.h"
#include "workers/JobLoop.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kJobs = 10'000;
constexpr int kThreads = 16;
constexpr int kRounds = 3;

using Clock = std::chrono::steady_clock;

double seconds(Clock::time_point from) {
    return std::chrono::duration<double>(Clock::now() - from).count();
}

class EndAtOnce : public qx::CheckWorker {
public:
    using CheckWorker::CheckWorker;
    int Run() override {
        PostEnd(1);
        return 0;
    }
};

class Jobs : public qx::CheckJobs {
public:
    std::unique_ptr<qx::CheckWorker> MakeCheckWorker(qx::platform::MessageTarget* window,
                                                     const qx::Str& url,
                                                     const qx::platform::SystemTime&,
                                                     qx::CheckNode& node) override {
        return std::make_unique<EndAtOnce>(window, url, &node);
    }
    void ApplyCheck(qx::CheckWorker& worker, int) override {
        worker.Node()->SetState(qx::CheckNode::Done);
        ++done;
    }
    bool CheckReference(qx::Ref&) override { return false; }
    int done = 0;
};

double board(const qx::Options& options, const qx::ApplicationProfile& profile) {
    Jobs jobs;
    qx::JobLoop loop(options, profile);
    loop.Board().SetCheckJobs(&jobs);
    for (int i = 0; i < kJobs; ++i)
        loop.Board().QueueCheck(("http://host/" + std::to_string(i)).c_str(), {});
    const Clock::time_point start = Clock::now();
    loop.Run();
    const double took = seconds(start);
    if (jobs.done != kJobs) {
        std::fprintf(stderr, "only %d of %d jobs ran\n", jobs.done, kJobs);
        std::exit(1);
    }
    return took;
}

double plain() {
    const Clock::time_point start = Clock::now();
    std::vector<std::thread> threads;
    for (int started = 0; started < kJobs; started += kThreads) {
        for (int i = 0; i < kThreads && started + i < kJobs; ++i)
            threads.emplace_back([] {});
        for (std::thread& t : threads)
            t.join();
        threads.clear();
    }
    return seconds(start);
}

} // namespace

int main() {
    qx::Options options;
    options.maxThreads = kThreads;
    // No settings file: the priorities are their defaults.
    const qx::ApplicationProfile profile("/nonexistent/qxseek.INI");
    double ours = 1e9, baseline = 1e9;
    for (int round = 0; round < kRounds; ++round) {
        ours = std::min(ours, board(options, profile));
        baseline = std::min(baseline, plain());
    }
    std::printf("job board:      %.0f jobs/s\n", kJobs / ours);
    std::printf("plain threads:  %.0f jobs/s\n", kJobs / baseline);
    std::printf("ratio (board / plain): %.2f (goal >= 0.5)\n", baseline / ours);
    return 0;
}
