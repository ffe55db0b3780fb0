#pragma once

#include "platform/DCriticalSection.h"
#include "platform/Event.h"
#include "platform/MessageTarget.h"
#include "platform/Thread.h"

#include <atomic>

namespace qx {

// The base of every worker: an operating-system thread that runs Run once,
// with a stop event the user-interface thread sets to ask it to end, a done
// event it sets when Run has returned, its exit code and a reference count.
//
// Ownership: the creator holds the first reference, and a started thread holds
// one more until its procedure has returned, so a worker is never deleted
// while its thread still runs. The user-interface thread handles the end
// message, waits (WaitForExit) and releases its reference, which deletes the
// worker. No worker deletes itself by design; one that the user-interface
// thread gives up on (Abandon) takes the self-deleting path: OnExit, then its
// thread's release deletes it when Run returns.
class Thread {
public:
    // window: where the worker's messages go; null posts nothing.
    explicit Thread(platform::MessageTarget* window);
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;
    virtual ~Thread();

    // The work, on the worker's thread; its result is the exit code. The
    // default only posts the end message with wParam 0.
    virtual int Run();
    // Asks the worker to end: sets the stop event. It notices at its next
    // IsRunning or when its blocking network call fails.
    virtual void Stop();
    // Until the stop event is set.
    virtual bool IsRunning() const;
    // Called on the worker's thread after Run when nobody else holds a
    // reference any more (it was abandoned), right before it deletes itself.
    virtual void OnExit();
    virtual int AddRef();
    // Deletes the worker when the count reaches 0, and answers 0 then.
    virtual int Release();

    // The longest wait of a start for the worker's first network handle.
    static constexpr int kStartWaitMs = 5000;

    // Creates the thread, running at once at the given priority. False when
    // none could be made.
    bool Start(int priority = 0);
    // An operating-system priority (-1 below normal); false when refused.
    bool SetPriority(int priority);
    // Waits without limit until Run has returned and its thread is gone; the
    // exit code. Only for the user-interface thread, after the end message.
    int WaitForExit();
    // Waits up to timeoutMs for Run to return: whether it did.
    bool WaitForEnd(int timeoutMs) const;
    // Posts "_WM_THREADEND" with wParam and this worker, unless there is no
    // window (any more).
    void PostEnd(platform::WParam wparam);
    // The user-interface thread gives the worker up while it may still run:
    // it posts nothing from now on, and its thread deletes it when done.
    // The caller's reference is consumed; the worker must not be used after.
    void Abandon();

    int ExitCode() const { return exitCode_.load(); }
    // The event a search module polls besides its sockets.
    const platform::Event& StopEvent() const { return stop_; }
    // Set when Run has returned; a start wait also ends on it.
    const platform::Event& DoneEvent() const { return done_; }
    // The worker as a message's lParam.
    platform::LParam AsParam() const { return reinterpret_cast<platform::LParam>(this); }

protected:
    // Start, then a wait of at most kStartWaitMs until either started is set
    // (the first network handle exists) or the worker has ended; then the
    // priority is set, whether or not started came. False when no thread
    // could be made.
    bool StartAndWait(const platform::Event& started, int priority);
    // Posts a message with this worker as lParam, under the worker's lock so
    // that Abandon, once it returns, has no post in flight. The window's own
    // queue lock is the innermost lock of the program, so holding ours while
    // it is taken cannot deadlock.
    bool Post(platform::MessageId msg, platform::WParam wparam);

private:
    void Procedure();

    mutable platform::DCriticalSection lock_;
    platform::MessageTarget* window_; // guarded by lock_
    platform::Event done_;
    platform::Event stop_;
    platform::Thread thread_;
    // Written by the worker before done_ is set, read after it.
    std::atomic<int> exitCode_{0};
    std::atomic<int> refs_{1};
};

} // namespace qx
