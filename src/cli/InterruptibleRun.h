#pragma once

#include "platform/InterruptSignals.h"

#include <chrono>
#include <functional>

#include <string>

namespace qx {
class DDoc;
class JobLoop;
} // namespace qx

namespace qx::cli {

// The run of a command's jobs (checks, searches) as the tool does it: until
// they are done or SIGINT or SIGTERM asks to stop, saving the document every
// so often, so that an interrupted run, or one that a time limit kills, keeps
// what it found.
class InterruptibleRun {
public:
    // Called every saveEvery while the jobs run; not at the end (the command
    // saves once more itself).
    std::function<void()> save;
    std::chrono::seconds saveEvery{30};
    // Called every few hundred milliseconds (a progress line); may be empty.
    std::function<void()> tick;
    // Stops the jobs after a signal: what has come in is handled first, and
    // whatever ends within the board's shutdown wait afterwards.
    std::function<void()> stop;

    // Installs the signal handlers, then runs. The signal that ended the
    // run, None when the jobs were done.
    platform::InterruptSignals::Kind run(JobLoop& loop) const;

    // A save on the way: the document's pending changes are committed and
    // it is saved; a failure is said on the standard error and the run goes on.
    static void saveProgress(const std::string& path, DDoc& doc);

    // How often the loop looks up from the jobs.
    static constexpr int kSliceMs = 250;
};

} // namespace qx::cli
