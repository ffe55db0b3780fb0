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
    // The longest start wait.
    static constexpr int kStartWaitMs = 5000;

    explicit WThread(platform::MessageTarget* window);

    // Thread::Start, then a wait of at most kStartWaitMs for the first network
    // handle or the end of the worker, whichever comes first; then the
    // priority is set, whether or not the handle came. False when no thread
    // could be made.
    bool Start(int priority);

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
