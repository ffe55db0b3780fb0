#pragma once

#include "model/DocWorkers.h"
#include "platform/DateTime.h"
#include "platform/Message.h"
#include "workers/CheckClock.h"
#include "workers/CheckList.h"
#include "workers/CheckQueue.h"
#include "workers/ThreadList.h"

#include <chrono>
#include <cstdint>
#include <memory>

namespace qx {

class ApplicationProfile;
class CheckJobs;
class SearchJobs;
class SearchKey;
class SearchRef;
class SearchWorker;
class Str;
class ThreadRows;
class WaitList;
class WThread;
struct FindInfo;
struct Options;
namespace platform {
class MessageTarget;
}

// The jobs of the document view: the running workers (thread list), the
// program's waiting searches (wait list) and the checks (check list); the
// scheduler that starts them while the user is idle, the handling of the
// workers' messages, the thread window's rows and the stop commands. Only the
// user-interface thread calls it.
//
// The board makes no search or check worker itself: the search run and the
// checker plug in (SetSearchJobs, SetCheckJobs); without them no job of that
// kind starts.
class JobBoard : public DocWorkers {
public:
    // What one scheduler pass did.
    enum class Pass {
        Nothing,       // nothing started
        SearchStarted, // skip the framework's own idle work this time
        CheckStarted,  // the framework's own idle work runs as usual
    };

    // The longest wait for each worker when the board is destroyed.
    static constexpr int kShutdownWaitMs = 1000;

    // window: where the workers post their messages; it must hand
    // "_WM_THREADEND" and "_WM_THREADPAGE" to HandleMessage.
    JobBoard(const Options& options, const ApplicationProfile& profile, WaitList& waits,
             platform::MessageTarget* window);
    // Empties the wait list, stops every worker and waits up to
    // kShutdownWaitMs for each; a worker that ended is deleted, one that did
    // not is abandoned (it posts nothing more and deletes itself when done).
    ~JobBoard();
    JobBoard(const JobBoard&) = delete;
    JobBoard& operator=(const JobBoard&) = delete;

    void SetSearchJobs(SearchJobs* jobs) { searchJobs_ = jobs; }
    void SetCheckJobs(CheckJobs* jobs) { checkJobs_ = jobs; }
    void SetRows(ThreadRows* rows) { rows_ = rows; }
    CheckJobs* GetCheckJobs() const { return checkJobs_; }
    // Null puts the board's own steady clock back.
    void SetClock(CheckClock* clock);

    // A search worker for one engine, registered at the priority "FindPriority".
    bool StartSearchJob(SearchRef& search, std::uint16_t server, const FindInfo& request);
    // A check worker, registered at the priority "CheckPriority".
    bool StartCheckJob(const Str& url, const platform::SystemTime& date, CheckNode& node);
    // Lists and starts a worker; on failure it is deleted and false returned.
    bool RegisterJob(std::unique_ptr<WThread> worker, int priority);
    // Takes the worker's row out of the thread window and asks it to stop.
    void StopJob(ThreadNode& node);
    // Takes the worker's row out of the thread window and deletes the node.
    void ForgetJob(ThreadNode& node);

    // One scheduler pass: while fewer searches run than "maxthreads", starts
    // the first waiting search; or else, while fewer checks run than
    // "CheckThreads", the first queued check that is due and whose host runs
    // fewer than "ChecksPerHost" checks. "maxthreads" 0 starts nothing at all.
    // Empties the check list when every check is done. Checks that wait for
    // their time get a wake-up at the earliest of them.
    Pass Schedule();
    // "_WM_THREADEND" and "_WM_THREADPAGE"; false for other messages.
    bool HandleMessage(platform::MessageId msg, platform::WParam wparam, platform::LParam lparam);

    // The thread window's idle work: rows of workers with a new status line
    // get it.
    void RefreshRows();
    // The thread window opened: a row for every worker still running.
    void RowsShown();
    // The thread window closed: no worker has a row any more.
    void RowsHidden();

    // Queues a check of an address (see CheckList::QueueCheck).
    bool QueueCheck(const Str& url, const platform::SystemTime& date);
    // A busy server asked for the check to be repeated after wait: the node is
    // queued again, not before then, unless it was put back kMaxRetries
    // times already (false: the answer stands).
    static constexpr int kMaxRetries = 2;
    bool Postpone(CheckNode& node, std::chrono::seconds wait);
    // Some queued check waits for its time.
    bool HasPostponedChecks() const;

    // Stop all: no search waits any more, every running worker is stopped and
    // each search worker detached from its saved search.
    void StopAll();
    // The same for the jobs of one saved search.
    void StopSearch(SearchRef& search);
    // Stops every check worker, empties the check list and turns off the
    // check flag of every waiting and running search.
    void StopChecking();
    // Before a tree node is deleted: its searches stop, and checks of its
    // page that are not done are cancelled (their workers stopped).
    void dropjobs(Ref& node) override;

    // Any search waits or any worker runs.
    bool Busy() const;
    // A waiting search or a search worker other than except files into search.
    bool HasSearchJobs(const SearchRef& search, const WThread* except = nullptr) const;

    const ThreadList& Threads() const { return threads_; }
    const CheckList& Checks() const { return checks_; }
    const WaitList& Waits() const { return waits_; }

private:
    void EndOfWorker(platform::WParam wparam, ThreadNode& node);
    bool StartCheck();
    void RemoveRow(ThreadNode& node);
    void StopSearchWorker(ThreadNode& node, SearchWorker& worker);
    void StopChecksOf(const SearchKey& url);
    // Lets go of every check node: check workers forget theirs first.
    void ClearChecks();
    // Clears a saved search's running mark once no job of it is left.
    void EndRunning(SearchRef& search);

    const Options& options_;
    const ApplicationProfile& profile_;
    WaitList& waits_;
    platform::MessageTarget* window_;
    SearchJobs* searchJobs_ = nullptr;
    CheckJobs* checkJobs_ = nullptr;
    ThreadRows* rows_ = nullptr;
    SteadyCheckClock steadyClock_;
    CheckClock* clock_ = &steadyClock_;
    // The "ChecksPerHost" the queue was last given.
    int perHost_ = 0;
    ThreadList threads_;
    CheckList checks_;
    CheckQueue queue_;
};

} // namespace qx
