#pragma once

#include "model/FindInfo.h"
#include "workers/WThread.h"

#include <cstdint>

namespace qx {

class SearchRef;

// What the job board knows of a worker that runs one search on one engine:
// its own copy of the request, its engine bit and the saved search it files
// into (null once stopped or detached). The search run derives its worker
// from this.
class SearchWorker : public WThread {
public:
    SearchWorker(platform::MessageTarget* window, const FindInfo& request, std::uint16_t server)
        : WThread(window), request_(request), server_(server) {}

    FindInfo& Request() { return request_; }
    std::uint16_t Server() const { return server_; }
    // Only the user-interface thread reads and writes it.
    SearchRef* Search() const { return search_; }
    void SetSearch(SearchRef* search) { search_ = search; }

private:
    FindInfo request_;
    std::uint16_t server_;
    SearchRef* search_ = nullptr;
};

} // namespace qx
