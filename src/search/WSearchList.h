#pragma once

#include "model/List.h"
#include "platform/DCriticalSection.h"
#include "search/WSearchInfo.h"

#include <memory>

namespace qx {

class WSearchNode : public Node {
public:
    explicit WSearchNode(WSearchInfo info) : info(std::move(info)) {}
    WSearchInfo info;
};

// A search worker's result queue: the worker appends on its thread, the
// user-interface thread takes everything queued so far. Both go through the
// queue's own lock.
class WSearchList {
public:
    // True when the queue was empty before, so the worker tells the
    // user-interface thread once per batch.
    bool Append(std::unique_ptr<WSearchNode> node);
    // Moves every queued item into a list of the caller's, in queue order.
    void TakeAll(List& into);

private:
    platform::DCriticalSection lock_;
    List items_; // guarded by lock_
};

} // namespace qx
