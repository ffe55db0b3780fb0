#pragma once

#include <string_view>

// What a session's status callback writes to: the worker that shows one line
// of status text in the thread window. The callback runs on whatever thread
// the network library calls it on, so every operation is safe from any
// thread and none of them blocks for long.
namespace qx::platform {

class StatusSink {
public:
    virtual ~StatusSink() = default;
    // Stores the line under the sink's lock, then raises its status-changed
    // flag (an atomic exchange), in that order, so that a reader who takes the
    // flag always finds the new line.
    virtual void setStatusLine(std::string_view line) = 0;
    // The first network handle exists: a start wait may end.
    virtual void signalStarted() = 0;
    // Asks the user-interface thread to run its idle processing soon (which
    // refreshes the thread window). Never blocks; nothing when there is no
    // window to wake.
    virtual void wakeUi() = 0;
};

} // namespace qx::platform
