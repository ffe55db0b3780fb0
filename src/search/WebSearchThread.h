#pragma once

#include "search/SearchRunState.h"
#include "search/WSearchList.h"
#include "workers/SearchWorker.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

struct WSearchItem;

namespace qx {

class Language;
class List;
class SearchModule;

// Runs one query on one engine: calls the search module's WebSearch on its
// own thread and queues the items the module hands back; the user-interface
// thread files them (the run state is its alone).
class WebSearchThread : public SearchWorker {
public:
    // engine and name are the engine table's number and name of the bit
    // (0 and empty for a bit that names no engine). module may be null (none
    // loaded): the run then ends with the lookup error. The proxy text is used
    // when useproxy is set.
    WebSearchThread(platform::MessageTarget* window, const FindInfo& request, std::uint16_t server,
                    int engine, const std::string& name, std::shared_ptr<const SearchModule> module,
                    const Language* language, bool useproxy, std::string proxy);

    int Run() override;

    // The result callback's work, on the worker's thread: 1 to go on, 0 once
    // the worker was stopped.
    std::int32_t Deliver(const WSearchItem& item);
    // The queued items, moved into the caller's list.
    void TakeResults(List& into) { queue_.TakeAll(into); }

    // Level-1 items so far and the engine's hit count; written by the worker,
    // read by the progress figure.
    std::uint32_t Results() const { return results_.load(); }
    std::uint32_t Hits() const { return hits_.load(); }

    // Only the user-interface thread touches it.
    SearchRunState& RunState() { return run_; }

private:
    static constexpr int kMaxWanted = 1000;

    // Whether an item of level 1 or more is queued: a fileable address and
    // within the counts of the request.
    bool Accept(const WSearchItem& item);

    const int engine_;
    std::shared_ptr<const SearchModule> module_;
    const Language* language_;
    const bool useproxy_;
    const std::string proxy_;
    const std::string caption_;
    std::atomic<std::uint32_t> results_{0};
    std::atomic<std::uint32_t> hits_{0};
    // Items queued with an address, and headings; only the worker's thread.
    std::uint32_t withurl_ = 0;
    std::uint32_t headings_ = 0;
    WSearchList queue_;
    SearchRunState run_;
};

} // namespace qx
