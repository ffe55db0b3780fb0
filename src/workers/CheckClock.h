#pragma once

#include "platform/MessageTarget.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

namespace qx {

// The time a check that a busy server asked to wait becomes due, and the
// one-shot wake-up that makes an idle scheduler pass run then. Tests put a
// clock of their own in.
class CheckClock {
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    virtual ~CheckClock() = default;
    virtual TimePoint Now() const = 0;
    // Posts the null message to target at when (once); a later call with an
    // earlier time brings the wake-up forward.
    virtual void WakeAt(TimePoint when, platform::MessageTarget* target) = 0;
};

// The steady clock, and a timer thread that sleeps until the earliest
// wake-up asked for; it is made on the first request and ends with the clock.
class SteadyCheckClock : public CheckClock {
public:
    SteadyCheckClock() = default;
    ~SteadyCheckClock() override;
    SteadyCheckClock(const SteadyCheckClock&) = delete;
    SteadyCheckClock& operator=(const SteadyCheckClock&) = delete;

    TimePoint Now() const override { return std::chrono::steady_clock::now(); }
    void WakeAt(TimePoint when, platform::MessageTarget* target) override;

private:
    void Wait();

    std::mutex lock_;
    std::condition_variable changed_;
    std::optional<TimePoint> due_;              // guarded by lock_
    platform::MessageTarget* target_ = nullptr; // guarded by lock_
    bool ending_ = false;                       // guarded by lock_
    std::thread timer_;
};

} // namespace qx
