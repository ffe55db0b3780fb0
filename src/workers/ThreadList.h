#pragma once

#include "model/List.h"

namespace qx {

class Thread;
class WThread;

// The entry of a running search or check worker in the job board. The node
// does not own the worker: the board holds the worker's reference.
class ThreadNode : public Node {
public:
    explicit ThreadNode(WThread& worker) : worker_(worker) {}

    WThread& Worker() const { return worker_; }
    ThreadNode* Next() const { return static_cast<ThreadNode*>(next()); }
    // The worker has a row in the thread window.
    bool HasRow() const { return hasRow_; }
    void SetHasRow(bool shown) { hasRow_ = shown; }

private:
    WThread& worker_;
    bool hasRow_ = false;
};

// The running workers of the job board, in the order they were registered.
class ThreadList : public List {
public:
    ThreadNode* First() const { return static_cast<ThreadNode*>(first()); }
    // The node of the worker a message names, or null when the worker is not
    // (any more) in the list.
    ThreadNode* Find(const Thread* worker) const;
};

} // namespace qx
