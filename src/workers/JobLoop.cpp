#include "workers/JobLoop.h"

namespace qx {

JobLoop::JobLoop(const Options& options, const ApplicationProfile& profile)
    : board_(options, profile, waits_, &loop_) {
    loop_.setHandler(
        [this](platform::MessageId msg, platform::WParam wparam, platform::LParam lparam) {
            board_.HandleMessage(msg, wparam, lparam);
        });
    loop_.setIdleStep([this] { return Idle(); });
}

bool JobLoop::Run(int timeoutMs) {
    return loop_.runFor(timeoutMs);
}

bool JobLoop::Idle() {
    const JobBoard::Pass pass = board_.Schedule();
    board_.RefreshRows();
    // A check that a busy server put off keeps the loop alive: its wake-up
    // comes as a message.
    if (pass == JobBoard::Pass::Nothing && board_.Threads().empty() &&
        !board_.HasPostponedChecks()) {
        loop_.quit();
        return false;
    }
    return pass != JobBoard::Pass::Nothing;
}

} // namespace qx
