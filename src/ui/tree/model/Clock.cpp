#include "ui/tree/model/Clock.h"

#include <chrono>

namespace qx {

std::int64_t SteadyClock::nowMs() const {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

const SteadyClock& SteadyClock::instance() {
    static const SteadyClock clock;
    return clock;
}

} // namespace qx
