#include "ui/tree/model/AutoScroller.h"

#include <algorithm>

namespace qx {

void AutoScroller::setDirection(unsigned direction, std::int64_t now) {
    if (direction == direction_)
        return;
    direction_ = direction;
    step_ = 1;
    delay_ = kFirstDelayMs;
    lastStep_ = now;
    lastDoubling_ = now;
}

int AutoScroller::tick(std::int64_t now) {
    if (!direction_)
        return 0;
    while (now - lastDoubling_ >= kDoublingMs) {
        step_ = std::min(step_ * 2, kMaxStep);
        lastDoubling_ += kDoublingMs;
    }
    if (now - lastStep_ < delay_)
        return 0;
    lastStep_ = now;
    delay_ = kRepeatDelayMs;
    return step_;
}

} // namespace qx
