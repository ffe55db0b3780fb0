#include "workers/Thread.h"

#include "workers/ThreadMessages.h"

#include <mutex>

namespace qx {

Thread::Thread(platform::MessageTarget* window) : window_(window) {}

Thread::~Thread() = default;

int Thread::Run() {
    PostEnd(0);
    return 0;
}

void Thread::Stop() {
    stop_.set();
}

bool Thread::IsRunning() const {
    return !stop_.isSet();
}

void Thread::OnExit() {}

int Thread::AddRef() {
    return refs_.fetch_add(1, std::memory_order_relaxed) + 1;
}

int Thread::Release() {
    const int left = refs_.fetch_sub(1, std::memory_order_acq_rel) - 1;
    if (left == 0)
        delete this;
    return left;
}

bool Thread::Start(int priority) {
    AddRef(); // the thread's own, dropped when its procedure ends
    if (thread_.start([this] { Procedure(); }, priority))
        return true;
    refs_.fetch_sub(1, std::memory_order_relaxed);
    return false;
}

bool Thread::StartAndWait(const platform::Event& started, int priority) {
    if (!Start())
        return false;
    const platform::Event* ends[] = {&started, &done_};
    platform::waitForAny(ends, 2, kStartWaitMs);
    SetPriority(priority);
    return true;
}

void Thread::Procedure() {
    exitCode_.store(Run());
    if (refs_.load(std::memory_order_acquire) == 1)
        OnExit();
    done_.set();
    Release();
}

bool Thread::SetPriority(int priority) {
    return thread_.setPriority(priority);
}

int Thread::WaitForExit() {
    done_.wait(platform::kInfinite);
    // The procedure only drops its reference after done; the join lets the
    // caller delete the worker without racing that last step.
    thread_.join();
    return exitCode_.load();
}

bool Thread::WaitForEnd(int timeoutMs) const {
    return done_.wait(timeoutMs);
}

void Thread::PostEnd(platform::WParam wparam) {
    Post(threadMessages().end, wparam);
}

bool Thread::Post(platform::MessageId msg, platform::WParam wparam) {
    std::lock_guard guard(lock_);
    return window_ && window_->post(msg, wparam, AsParam());
}

void Thread::Abandon() {
    {
        std::lock_guard guard(lock_);
        window_ = nullptr;
    }
    thread_.detach();
    Release();
}

} // namespace qx
