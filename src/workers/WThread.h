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
class WThread : public Thread, public platform::StatusLine {
public:
    explicit WThread(platform::MessageTarget* window);

    // Starts and waits for the started event (see StartAndWait).
    virtual bool Start(int priority);

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
