#pragma once

#include "platform/DateTime.h"
#include "platform/MessageTarget.h"

#include <cstdint>
#include <memory>

namespace qx {

class CheckNode;
class CheckWorker;
class Ref;
class SearchRef;
class SearchWorker;
class Str;
struct FindInfo;

// The search run's side of the job board: it makes the search workers and
// takes what they deliver.
class SearchJobs {
public:
    // A worker, not started, that posts to window and files into search; null
    // when none can be made.
    virtual std::unique_ptr<SearchWorker> MakeSearchWorker(platform::MessageTarget* window,
                                                           SearchRef& search, std::uint16_t server,
                                                           const FindInfo& request) = 0;
    // "_WM_THREADPAGE": file the worker's queued results.
    virtual void FileResults(SearchWorker& worker) = 0;
    // The worker ended with result (its search may have been detached); the
    // board forgets and deletes it right after.
    virtual void FinishServer(SearchWorker& worker, int result) = 0;
    // A stop command gives the worker up: hand its partial summary to its
    // saved search, clear the running mark and forget the search.
    virtual void Detach(SearchWorker& worker) = 0;
    // The worker did not end when the board was destroyed and runs on: what it
    // may still call (the search module) must stay loaded until it ends.
    virtual void Abandoned(SearchWorker& worker) = 0;

protected:
    ~SearchJobs() = default;
};

// The checker's side of the job board.
class CheckJobs {
public:
    // A worker, not started, that checks url against date for node.
    virtual std::unique_ptr<CheckWorker> MakeCheckWorker(platform::MessageTarget* window,
                                                         const Str& url,
                                                         const platform::SystemTime& date,
                                                         CheckNode& node) = 0;
    // The worker ended with result: apply it to the reference.
    virtual void ApplyCheck(CheckWorker& worker, int result) = 0;
    // Queues a check of a tree node's page with its marks (a search with its
    // check flag set asks this for each new result); whether one was added.
    virtual bool CheckReference(Ref& node) = 0;

protected:
    ~CheckJobs() = default;
};

} // namespace qx
