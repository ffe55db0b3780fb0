#pragma once

#include "model/FindInfo.h"
#include "model/List.h"

#include <cstdint>
#include <memory>

namespace qx {

class SearchRef;

// One engine of a saved search waiting for a free worker.
class WaitNode : public Node {
public:
    WaitNode(SearchRef& search, std::uint16_t server, const FindInfo& request)
        : search_(search), server_(server), request_(request) {}

    SearchRef& Search() const { return search_; }
    // One engine bit.
    std::uint16_t Server() const { return server_; }
    FindInfo& Request() { return request_; }
    const FindInfo& Request() const { return request_; }
    WaitNode* Next() const { return static_cast<WaitNode*>(next()); }

private:
    SearchRef& search_;
    std::uint16_t server_;
    FindInfo request_;
};

// The searches waiting for a worker, oldest first. There is one for the whole
// program (Program()); the job board that schedules them is handed it.
class WaitList : public List {
public:
    static WaitList& Program();

    WaitNode* First() const { return static_cast<WaitNode*>(first()); }
    void Append(std::unique_ptr<WaitNode> node) { append(node.release()); }
};

} // namespace qx
