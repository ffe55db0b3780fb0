#pragma once

#include <cstddef>

// A manual-reset event: once set it stays set, releasing every waiter, until
// reset. It lives on an eventfd so that code which already waits on sockets
// (a search module) can put the event's fd into the same poll and wake when
// the event is set. The fd is readable exactly while the event is set.
namespace qx::platform {

inline constexpr int kInfinite = -1;

class Event {
public:
    // Without an fd (the system is out of descriptors) the event is not valid:
    // set and reset do nothing and waits return false at once.
    explicit Event(bool initiallySet = false);
    ~Event();
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;

    bool valid() const { return fd_ >= 0; }
    void set();
    void reset();
    bool isSet() const;
    // True when the event is (or becomes) set within timeoutMs; kInfinite
    // waits without limit, 0 only looks.
    bool wait(int timeoutMs) const;
    // For poll(2): POLLIN while the event is set. Never read or written by
    // the poller.
    int fd() const { return fd_; }

private:
    int fd_;
};

// Waits until any of the events is set: its index, or -1 when timeoutMs passed
// first (or an event is not valid).
int waitForAny(const Event* const* events, std::size_t count, int timeoutMs);

} // namespace qx::platform
