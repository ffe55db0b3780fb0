#include "workers/CheckClock.h"

#include "platform/Message.h"

namespace qx {

SteadyCheckClock::~SteadyCheckClock() {
    {
        std::lock_guard<std::mutex> hold(lock_);
        ending_ = true;
    }
    changed_.notify_one();
    if (timer_.joinable())
        timer_.join();
}

void SteadyCheckClock::WakeAt(TimePoint when, platform::MessageTarget* target) {
    {
        std::lock_guard<std::mutex> hold(lock_);
        if (due_ && *due_ <= when && target_ == target)
            return;
        due_ = when;
        target_ = target;
        if (!timer_.joinable())
            timer_ = std::thread([this] { Wait(); });
    }
    changed_.notify_one();
}

void SteadyCheckClock::Wait() {
    std::unique_lock<std::mutex> hold(lock_);
    while (!ending_) {
        if (!due_) {
            changed_.wait(hold);
            continue;
        }
        if (changed_.wait_until(hold, *due_) != std::cv_status::timeout)
            continue;
        if (!due_ || std::chrono::steady_clock::now() < *due_)
            continue;
        due_.reset();
        if (target_)
            target_->post(platform::kNullMessage, 0, 0);
    }
}

} // namespace qx
