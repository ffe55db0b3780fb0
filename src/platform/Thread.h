#pragma once

#include <atomic>
#include <functional>
#include <sys/types.h>
#include <thread>

// An operating-system thread with a priority. Priorities are in the design's
// numbering (0 normal, -1 below normal, -2 lowest, -15 idle; positive values
// above normal) and become a per-thread nice value relative to the process's:
// lowering always works, raising needs a privilege and is silently skipped
// without it, as a refused priority never stops a worker.
namespace qx::platform {

class Thread {
public:
    Thread() = default;
    // Joins a thread that is still joinable, so that its body never outlives
    // the objects it runs on.
    ~Thread();
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    // Starts body on a new thread at the given priority. False when a thread
    // is already running here or none could be created.
    bool start(std::function<void()> body, int priority = 0);
    // Changes the priority of the running thread; false when it has ended or
    // the system refused.
    bool setPriority(int priority);
    void join();
    // Lets the thread run on without this object: an owner that gives up
    // waiting for it, or one the thread itself deletes when done.
    void detach();
    bool joinable() const { return thread_.joinable(); }
    // The kernel's id of the thread, 0 before start; right after a start it
    // waits until the new thread has come up.
    pid_t id() const;

private:
    std::thread thread_;
    std::atomic<pid_t> tid_{0};
    bool started_ = false;
};

// The nice value for a priority: the process's own plus the lowering the
// priority asks for, kept within the kernel's range.
int niceForPriority(int processNice, int priority);
// Applies a priority to the thread with the given kernel id.
bool setThreadPriority(pid_t tid, int priority);

} // namespace qx::platform
