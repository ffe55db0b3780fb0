#pragma once

#include <chrono>
#include <thread>

namespace qx::test {

// Waits until the condition holds, looking again every few milliseconds;
// whether it held within the time. The one way tests wait for something
// another thread or process does: no bare sleeps, no deadline loops of
// their own.
template <class Condition>
bool eventually(Condition condition,
                std::chrono::milliseconds within = std::chrono::milliseconds(10000)) {
    const auto deadline = std::chrono::steady_clock::now() + within;
    for (;;) {
        if (condition())
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

} // namespace qx::test
