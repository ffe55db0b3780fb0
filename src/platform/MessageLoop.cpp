#include "platform/MessageLoop.h"

#include "platform/Event.h"

#include <chrono>

namespace qx::platform {

bool MessageLoop::post(MessageId msg, WParam wparam, LParam lparam) {
    {
        std::lock_guard guard(lock_);
        queue_.push_back(Message{msg, wparam, lparam});
    }
    wake_.notify_one();
    return true;
}

void MessageLoop::quit() {
    {
        std::lock_guard guard(lock_);
        quit_ = true;
    }
    wake_.notify_one();
}

void MessageLoop::run() {
    runFor(kInfinite);
}

bool MessageLoop::runFor(int timeoutMs) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        while (dispatchOne()) {
        }
        bool more = runIdle();
        std::unique_lock guard(lock_);
        if (quit_) {
            quit_ = false;
            return true;
        }
        if (timeoutMs != kInfinite && Clock::now() >= deadline)
            return false;
        if (more || !queue_.empty())
            continue;
        if (timeoutMs == kInfinite) {
            wake_.wait(guard, [this] { return quit_ || !queue_.empty(); });
        } else if (!wake_.wait_until(guard, deadline,
                                     [this] { return quit_ || !queue_.empty(); })) {
            return false;
        }
    }
}

void MessageLoop::processPending() {
    while (dispatchOne()) {
    }
    runIdle();
}

bool MessageLoop::dispatchOne() {
    Message m;
    {
        std::lock_guard guard(lock_);
        if (queue_.empty() || quit_)
            return false;
        m = queue_.front();
        queue_.pop_front();
    }
    if (handler_ && m.msg != kNullMessage)
        handler_(m.msg, m.wparam, m.lparam);
    return true;
}

bool MessageLoop::runIdle() {
    return idle_ && idle_();
}

} // namespace qx::platform
