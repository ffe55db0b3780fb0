// The cost of running many short jobs: 10 000 checks whose worker only posts
// its end, scheduled by the real job board through the message loop of the
// headless tool with "CheckThreads" 16, against a plain loop that starts and
// joins the same number of std::threads 16 at a time, in one run.
// Second figure: the scheduling thread's CPU time for the same 10 000 checks
// of one host with "ChecksPerHost" 4 against the run without that limit.

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
#include <ctime>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kJobs = 10'000;
constexpr int kThreads = 16;
constexpr int kRounds = 3;
constexpr int kPerHost = 4;

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

// The CPU time of the calling thread so far.
double threadSeconds() {
    timespec now{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

struct Run {
    double wall = 0;
    double schedulerCpu = 0; // the loop's own thread: scheduler and message handling
};

Run board(qx::Options options, const qx::ApplicationProfile& profile, int perHost) {
    options.checkThreads = kThreads;
    options.checksPerHost = perHost;
    Jobs jobs;
    qx::JobLoop loop(options, profile);
    loop.Board().SetCheckJobs(&jobs);
    for (int i = 0; i < kJobs; ++i)
        loop.Board().QueueCheck(("http://host/" + std::to_string(i)).c_str(), {});
    const Clock::time_point start = Clock::now();
    const double cpu = threadSeconds();
    loop.Run();
    const Run run{seconds(start), threadSeconds() - cpu};
    if (jobs.done != kJobs) {
        std::fprintf(stderr, "only %d of %d jobs ran\n", jobs.done, kJobs);
        std::exit(1);
    }
    return run;
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
    double ours = 1e9, baseline = 1e9, limited = 1e9, unlimited = 1e9;
    for (int round = 0; round < kRounds; ++round) {
        const Run free = board(options, profile, 0);
        ours = std::min(ours, free.wall);
        unlimited = std::min(unlimited, free.schedulerCpu);
        limited = std::min(limited, board(options, profile, kPerHost).schedulerCpu);
        baseline = std::min(baseline, plain());
    }
    std::printf("job board:      %.0f jobs/s\n", kJobs / ours);
    std::printf("plain threads:  %.0f jobs/s\n", kJobs / baseline);
    std::printf("ratio (board / plain): %.2f (goal >= 0.5)\n", baseline / ours);
    std::printf("scheduler CPU, one host, ChecksPerHost %d: %.3f s; without the limit: %.3f s\n",
                kPerHost, limited, unlimited);
    std::printf("ratio (limited / unlimited): %.2f (goal <= 1.5)\n", limited / unlimited);
    return 0;
}
