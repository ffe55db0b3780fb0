#pragma once

#include "platform/StatusLine.h"
#include "workers/Thread.h"

namespace qx {

class ThreadNode;

// A search or check worker: a Thread with a line of status text that the
// session's callback writes (under the line's own lock, the changed flag set
// by atomic exchange) and the thread window shows, a started event the
// callback sets when the first network handle exists, and its entry in the
// job board's thread list.
//
// A worker starts without waiting for that event: a check's only handle is
// its own transfer, which Stop aborts whether or not it exists yet (a closed
// session opens none), and a search module hears its stop through the stop
// event, whatever it opened. A wait would hold the user-interface thread, up
// to five seconds for a module that reports nothing.
class WThread : public Thread, public platform::StatusLine {
public:
    explicit WThread(platform::MessageTarget* window);

    // Set when registered, cleared when the end message is handled; only the
    // user-interface thread touches it.
    ThreadNode* Node() const { return node_; }
    void SetNode(ThreadNode* node) { node_ = node; }

    // Wakes the user-interface thread through the worker's window, so that an
    // abandoned worker wakes nobody.
    void wakeUi() override;

private:
    ThreadNode* node_ = nullptr;
};

} // namespace qx
