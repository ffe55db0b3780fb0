#pragma once

#include "platform/DCriticalSection.h"
#include "platform/Event.h"
#include "platform/MessageTarget.h"
#include "platform/StatusSink.h"

#include <atomic>
#include <cstdint>
#include <string>

// The usual status sink: the line, its lock, the changed flag and the started
// event, with the window to wake held by an atomic pointer because the
// user-interface thread may clear it while the worker runs.
namespace qx::platform {

class StatusLine : public StatusSink {
public:
    void setStatusLine(std::string_view line) override;
    void signalStarted() override { started_.set(); }
    void wakeUi() override;

    // The target stays owned by the caller; null stops the wake-ups.
    void setWakeTarget(MessageTarget* target) { target_.store(target); }
    // A copy of the line, read under the lock.
    std::string statusLine() const;
    // Takes the changed flag: true once per change.
    bool takeStatusChanged() { return changed_.exchange(0) != 0; }
    Event& startedEvent() { return started_; }

private:
    mutable DCriticalSection lock_;
    std::string line_; // guarded by lock_
    std::atomic<std::uint32_t> changed_{0};
    Event started_;
    std::atomic<MessageTarget*> target_{nullptr};
};

} // namespace qx::platform
