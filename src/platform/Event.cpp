#include "platform/Event.h"

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>
#include <vector>

namespace qx::platform {

namespace {

// set and reset touch the counter in two steps (look, then write or read), so
// a process-wide lock keeps a concurrent set and reset from leaving a counter
// of 2 behind or draining a set that came after the reset. The sections are a
// handful of instructions; contention is not a concern.
std::mutex& counterLock() {
    static std::mutex lock;
    return lock;
}

bool readable(int fd) {
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, 0) == 1 && (p.revents & POLLIN) != 0;
}

} // namespace

Event::Event(bool initiallySet)
    : fd_(::eventfd(initiallySet ? 1 : 0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

Event::~Event() {
    if (fd_ >= 0)
        ::close(fd_);
}

void Event::set() {
    if (fd_ < 0)
        return;
    std::lock_guard guard(counterLock());
    if (readable(fd_))
        return;
    const std::uint64_t one = 1;
    [[maybe_unused]] ssize_t n = ::write(fd_, &one, sizeof one);
}

void Event::reset() {
    if (fd_ < 0)
        return;
    std::lock_guard guard(counterLock());
    std::uint64_t value = 0;
    [[maybe_unused]] ssize_t n = ::read(fd_, &value, sizeof value);
}

bool Event::isSet() const {
    return fd_ >= 0 && readable(fd_);
}

bool Event::wait(int timeoutMs) const {
    const Event* self = this;
    return waitForAny(&self, 1, timeoutMs) == 0;
}

int waitForAny(const Event* const* events, std::size_t count, int timeoutMs) {
    std::vector<pollfd> fds(count);
    for (std::size_t i = 0; i < count; ++i) {
        if (!events[i]->valid())
            return -1;
        fds[i] = pollfd{events[i]->fd(), POLLIN, 0};
    }
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        int wait = timeoutMs;
        if (timeoutMs > 0) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            wait = left.count() > 0 ? static_cast<int>(left.count()) : 0;
        }
        const int n = ::poll(fds.data(), fds.size(), wait);
        if (n > 0) {
            for (std::size_t i = 0; i < count; ++i) {
                if (fds[i].revents & POLLIN) {
                    // Pairs with the lock set() held while it wrote, so that
                    // whatever the setter did before set() is visible here.
                    std::lock_guard guard(counterLock());
                    return static_cast<int>(i);
                }
            }
        }
        if (n == 0 || (n < 0 && errno != EINTR))
            return -1;
    }
}

} // namespace qx::platform
