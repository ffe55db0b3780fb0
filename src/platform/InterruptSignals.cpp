#include "platform/InterruptSignals.h"

#include <atomic>
#include <csignal>
#include <signal.h>

namespace qx::platform {

namespace {

// Lock-free, so that the handler may store it.
std::atomic<int> firstSignal{0};
static_assert(std::atomic<int>::is_always_lock_free);

void note(int number) {
    int none = 0;
    firstSignal.compare_exchange_strong(none, number);
}

} // namespace

void InterruptSignals::install() {
    struct sigaction action {};
    action.sa_handler = note;
    sigemptyset(&action.sa_mask);
    // The handler runs once; the next signal has its default effect.
    action.sa_flags = SA_RESETHAND | SA_RESTART;
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
}

InterruptSignals::Kind InterruptSignals::received() {
    switch (firstSignal.load()) {
    case SIGINT:
        return Kind::Interrupt;
    case SIGTERM:
        return Kind::Terminate;
    default:
        return Kind::None;
    }
}

int InterruptSignals::exitCode(Kind kind) {
    switch (kind) {
    case Kind::Interrupt:
        return 128 + SIGINT;
    case Kind::Terminate:
        return 128 + SIGTERM;
    default:
        return 0;
    }
}

} // namespace qx::platform
