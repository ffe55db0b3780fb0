#include "platform/Thread.h"

#include "platform/SystemError.h"

#include <algorithm>
#include <cerrno>
#include <sys/resource.h>
#include <system_error>
#include <unistd.h>

namespace qx::platform {

namespace {
constexpr int kIdlePriority = -15;
constexpr int kTimeCriticalPriority = 15;
constexpr int kNiceMin = -20;
constexpr int kNiceMax = 19;
// One step of the design's priority scale in nice units.
constexpr int kNicePerStep = 5;
} // namespace

Thread::~Thread() {
    join();
}

bool Thread::start(std::function<void()> body, int priority) {
    if (thread_.joinable())
        return false;
    tid_.store(0);
    started_ = false; // a failed restart must not leave id waiting
    try {
        thread_ = std::thread([this, priority, body = std::move(body)] {
            // The priority is in place before the id is published, so that a
            // later setPriority, which waits for the id, always comes after.
            const pid_t tid = ::gettid();
            setThreadPriority(tid, priority);
            tid_.store(tid);
            tid_.notify_all();
            body();
        });
    } catch (const std::system_error& e) {
        // The one place the standard library reports by exception: turn it
        // into the platform's answer.
        setLastError(fromErrno(e.code().value()));
        return false;
    }
    // No wait for the thread to come up: a start costs only the thread's
    // creation, and whoever needs the id (id, setPriority) waits for it.
    started_ = true;
    return true;
}

pid_t Thread::id() const {
    if (started_)
        tid_.wait(0);
    return tid_.load();
}

bool Thread::setPriority(int priority) {
    const pid_t tid = id();
    return tid != 0 && thread_.joinable() && setThreadPriority(tid, priority);
}

void Thread::join() {
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id())
        thread_.join();
}

void Thread::detach() {
    if (thread_.joinable())
        thread_.detach();
}

int niceForPriority(int processNice, int priority) {
    int lowering;
    if (priority <= kIdlePriority)
        lowering = kNiceMax - kNiceMin;
    else if (priority >= kTimeCriticalPriority)
        lowering = kNiceMin - kNiceMax;
    else
        lowering = -priority * kNicePerStep;
    return std::clamp(processNice + lowering, kNiceMin, kNiceMax);
}

bool setThreadPriority(pid_t tid, int priority) {
    errno = 0;
    const int processNice = ::getpriority(PRIO_PROCESS, 0);
    if (processNice == -1 && errno != 0)
        return false;
    if (::setpriority(PRIO_PROCESS, static_cast<id_t>(tid),
                      niceForPriority(processNice, priority)) != 0) {
        setLastErrorFromErrno();
        return false;
    }
    return true;
}

} // namespace qx::platform
