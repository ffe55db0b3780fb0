#pragma once

#include "platform/Event.h"
#include "platform/MessageLoop.h"
#include "workers/JobBoard.h"
#include "workers/WaitList.h"

namespace qx {

// The job board of a program without windows (the headless tool, the
// benchmarks): its own wait list, and a message loop whose handler passes the
// thread messages to the board and whose idle step runs the scheduler and the
// row refresh, as the window's idle processing does.
class JobLoop {
public:
    JobLoop(const Options& options, const ApplicationProfile& profile);

    JobBoard& Board() { return board_; }
    WaitList& Waits() { return waits_; }
    platform::MessageLoop& Loop() { return loop_; }

    // Runs jobs until none runs and the scheduler can start no other: every
    // queued job has run, or none can start ("maxthreads" 0, failing starts).
    // False when timeoutMs passed first.
    bool Run(int timeoutMs = platform::kInfinite);

private:
    bool Idle();

    platform::MessageLoop loop_;
    WaitList waits_;
    // Last, so that it is destroyed (stopping its workers) before the loop
    // they post to.
    JobBoard board_;
};

} // namespace qx
