#pragma once

#include <cstdint>

namespace qx {

// Milliseconds from an arbitrary origin. The tree view's timed behaviour (tip
// delays, drag auto-scroll) reads time only through this, so tests can drive it.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::int64_t nowMs() const = 0;
};

// The monotonic system clock.
class SteadyClock : public Clock {
public:
    std::int64_t nowMs() const override;
    static const SteadyClock& instance();
};

} // namespace qx
