#pragma once

#include <cstdint>

namespace qx {

// Timing of the automatic scroll while something is dragged over a tree view.
// A new direction starts with steps of one line after 200 ms, then one step
// every 50 ms; the step doubles every 500 ms in the same direction, up to 20.
class AutoScroller {
public:
    static constexpr unsigned Up = 0x1;
    static constexpr unsigned Down = 0x2;
    static constexpr unsigned Left = 0x4;
    static constexpr unsigned Right = 0x8;

    static constexpr int kFirstDelayMs = 200;
    static constexpr int kRepeatDelayMs = 50;
    static constexpr int kDoublingMs = 500;
    static constexpr int kMaxStep = 20;

    // The directions the pointer asks for now (0 for none).
    void setDirection(unsigned direction, std::int64_t now);
    // Lines to scroll at this moment: 0 when no step is due.
    int tick(std::int64_t now);

    unsigned direction() const { return direction_; }
    bool isActive() const { return direction_ != 0; }
    int step() const { return step_; }
    int delay() const { return delay_; }

private:
    unsigned direction_ = 0;
    int step_ = 1;
    int delay_ = kFirstDelayMs;
    std::int64_t lastStep_ = 0;
    std::int64_t lastDoubling_ = 0;
};

} // namespace qx
