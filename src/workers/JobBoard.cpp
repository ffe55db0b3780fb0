#include "workers/JobBoard.h"

#include "model/Object.h"
#include "model/SearchRef.h"
#include "settings/Options.h"
#include "settings/SearchSettings.h"
#include "workers/CheckWorker.h"
#include "workers/JobKinds.h"
#include "workers/SearchWorker.h"
#include "workers/ThreadMessages.h"
#include "workers/ThreadRows.h"
#include "workers/WaitList.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>
#include <vector>

namespace qx {

namespace {

// The wParam of a check's or download's end message; a search sends 0.
constexpr platform::WParam kCheckEnd = 1;

SearchWorker* asSearch(WThread& worker) {
    return dynamic_cast<SearchWorker*>(&worker);
}

CheckWorker* asCheck(WThread& worker) {
    return dynamic_cast<CheckWorker*>(&worker);
}

} // namespace

JobBoard::JobBoard(const Options& options, const ApplicationProfile& profile, WaitList& waits,
                   platform::MessageTarget* window)
    : options_(options), profile_(profile), waits_(waits), window_(window),
      perHost_(options.checksPerHost) {
    queue_.SetLimit(perHost_);
}

void JobBoard::SetClock(CheckClock* clock) {
    clock_ = clock ? clock : &steadyClock_;
}

JobBoard::~JobBoard() {
    waits_.clear();
    for (ThreadNode* node = threads_.First(); node; node = node->Next())
        StopJob(*node);
    while (ThreadNode* node = threads_.First()) {
        WThread& worker = node->Worker();
        ForgetJob(*node);
        worker.SetNode(nullptr);
        if (worker.WaitForEnd(kShutdownWaitMs)) {
            worker.WaitForExit();
            worker.Release();
            continue;
        }
        if (SearchWorker* search = asSearch(worker); search && searchJobs_)
            searchJobs_->Abandoned(*search);
        worker.Abandon();
    }
}

bool JobBoard::StartSearchJob(SearchRef& search, std::uint16_t server, const FindInfo& request) {
    if (!searchJobs_)
        return false;
    std::unique_ptr<SearchWorker> worker =
        searchJobs_->MakeSearchWorker(window_, search, server, request);
    if (!worker)
        return false;
    worker->SetSearch(&search);
    return RegisterJob(std::move(worker), SearchSettings::findPriority(profile_));
}

bool JobBoard::StartCheckJob(const Str& url, const platform::SystemTime& date, CheckNode& node) {
    if (!checkJobs_)
        return false;
    std::unique_ptr<CheckWorker> worker = checkJobs_->MakeCheckWorker(window_, url, date, node);
    if (!worker)
        return false;
    const std::string host = CheckQueue::HostOf(node);
    worker->SetHostKey(host);
    if (!RegisterJob(std::move(worker), SearchSettings::checkPriority(profile_)))
        return false;
    queue_.Started(host);
    return true;
}

bool JobBoard::RegisterJob(std::unique_ptr<WThread> owned, int priority) {
    // From here on the reference count owns the worker.
    WThread& worker = *owned.release();
    auto* node = new ThreadNode(worker);
    worker.SetNode(node);
    threads_.append(node);
    if (!worker.Start(priority)) {
        worker.SetNode(nullptr);
        worker.Release();
        delete node;
        return false;
    }
    if (rows_ && rows_->Shown()) {
        rows_->AddRow(worker, worker.statusLine());
        node->SetHasRow(true);
    }
    return true;
}

void JobBoard::StopJob(ThreadNode& node) {
    RemoveRow(node);
    node.Worker().Stop();
}

void JobBoard::ForgetJob(ThreadNode& node) {
    RemoveRow(node);
    if (CheckWorker* check = asCheck(node.Worker()))
        queue_.Ended(check->HostKey());
    delete &node;
}

void JobBoard::RemoveRow(ThreadNode& node) {
    if (!node.HasRow())
        return;
    node.SetHasRow(false);
    if (rows_)
        rows_->RemoveRow(node.Worker());
}

JobBoard::Pass JobBoard::Schedule() {
    if (options_.maxThreads <= 0)
        return Pass::Nothing;
    std::size_t searches = 0;
    std::size_t checks = 0;
    for (ThreadNode* node = threads_.First(); node; node = node->Next())
        ++(asCheck(node->Worker()) ? checks : searches);
    if (WaitNode* wait = waits_.First();
        wait && searches < static_cast<std::size_t>(options_.maxThreads)) {
        if (StartSearchJob(wait->Search(), wait->Server(), wait->Request())) {
            delete wait;
            return Pass::SearchStarted;
        }
    }
    // The options dialog may have changed the limits since the last pass.
    if (checks >=
        static_cast<std::size_t>(std::clamp(options_.checkThreads, 1, Options::kMostCheckThreads)))
        return Pass::Nothing;
    if (options_.checksPerHost != perHost_) {
        perHost_ = options_.checksPerHost;
        queue_.SetLimit(perHost_);
    }
    return StartCheck() ? Pass::CheckStarted : Pass::Nothing;
}

bool JobBoard::StartCheck() {
    std::optional<CheckClock::TimePoint> earliest;
    if (CheckNode* node = queue_.Next(clock_->Now(), earliest)) {
        StartCheckJob(node->Url(), node->Date(), *node);
        // A check that could not start stays running until it is
        // cancelled, so that it is not retried on every pass.
        node->SetState(CheckNode::Running);
        checks_.append(node);
        return true;
    }
    if (earliest)
        clock_->WakeAt(*earliest, window_);
    // Nodes still queued wait for their host: the walk ends at the first.
    if (!checks_.empty() && !checks_.HasPending())
        ClearChecks();
    return false;
}

void JobBoard::ClearChecks() {
    for (ThreadNode* node = threads_.First(); node; node = node->Next()) {
        if (CheckWorker* check = asCheck(node->Worker()))
            check->ForgetNode();
    }
    queue_.Clear();
    checks_.clear();
}

bool JobBoard::HandleMessage(platform::MessageId msg, platform::WParam wparam,
                             platform::LParam lparam) {
    const ThreadMessages& messages = threadMessages();
    if (msg != messages.end && msg != messages.page)
        return false;
    // A message of a worker the board no longer lists (its end was already
    // handled) is dropped rather than trusted.
    ThreadNode* node = threads_.Find(reinterpret_cast<const Thread*>(lparam));
    if (!node)
        return true;
    if (msg == messages.end) {
        EndOfWorker(wparam, *node);
    } else if (SearchWorker* search = asSearch(node->Worker()); search && searchJobs_) {
        searchJobs_->FileResults(*search);
    }
    return true;
}

void JobBoard::EndOfWorker(platform::WParam wparam, ThreadNode& node) {
    WThread& worker = node.Worker();
    const int result = worker.WaitForExit();
    if (wparam == kCheckEnd) {
        if (CheckWorker* check = asCheck(worker); check && checkJobs_)
            checkJobs_->ApplyCheck(*check, result);
    } else if (SearchWorker* search = asSearch(worker); search && searchJobs_) {
        searchJobs_->FinishServer(*search, result);
    }
    ForgetJob(node);
    worker.SetNode(nullptr);
    worker.Release();
}

void JobBoard::RefreshRows() {
    if (!rows_)
        return;
    for (ThreadNode* node = threads_.First(); node; node = node->Next()) {
        WThread& worker = node->Worker();
        if (node->HasRow() && worker.takeStatusChanged())
            rows_->UpdateRow(worker, worker.statusLine());
    }
}

void JobBoard::RowsShown() {
    if (!rows_)
        return;
    for (ThreadNode* node = threads_.First(); node; node = node->Next()) {
        WThread& worker = node->Worker();
        if (!node->HasRow() && worker.IsRunning()) {
            rows_->AddRow(worker, worker.statusLine());
            node->SetHasRow(true);
        }
    }
}

void JobBoard::RowsHidden() {
    for (ThreadNode* node = threads_.First(); node; node = node->Next())
        node->SetHasRow(false);
}

bool JobBoard::QueueCheck(const Str& url, const platform::SystemTime& date) {
    if (!checks_.QueueCheck(url, date))
        return false;
    queue_.Queued(*checks_.Find(url.get()));
    return true;
}

bool JobBoard::Postpone(CheckNode& node, std::chrono::seconds wait) {
    if (node.Retries() >= kMaxRetries)
        return false;
    const CheckClock::TimePoint due = clock_->Now() + wait;
    node.Postpone(due);
    queue_.Postponed(node);
    clock_->WakeAt(due, window_);
    return true;
}

bool JobBoard::HasPostponedChecks() const {
    for (CheckNode* node = checks_.First(); node; node = node->Next()) {
        if (node->GetState() == CheckNode::Queued && node->NotBefore())
            return true;
    }
    return false;
}

void JobBoard::StopAll() {
    std::vector<SearchRef*> searches;
    while (WaitNode* wait = waits_.First()) {
        searches.push_back(&wait->Search());
        delete wait;
    }
    for (ThreadNode* node = threads_.First(); node; node = node->Next()) {
        WThread& worker = node->Worker();
        if (!worker.IsRunning())
            continue;
        if (SearchWorker* search = asSearch(worker))
            StopSearchWorker(*node, *search);
        else
            StopJob(*node);
    }
    for (SearchRef* search : searches)
        EndRunning(*search);
}

void JobBoard::StopSearch(SearchRef& search) {
    for (WaitNode* wait = waits_.First(); wait;) {
        WaitNode* next = wait->Next();
        if (&wait->Search() == &search)
            delete wait;
        wait = next;
    }
    for (ThreadNode* node = threads_.First(); node; node = node->Next()) {
        SearchWorker* worker = asSearch(node->Worker());
        if (worker && worker->Search() == &search && worker->IsRunning())
            StopSearchWorker(*node, *worker);
    }
    EndRunning(search);
}

void JobBoard::StopSearchWorker(ThreadNode& node, SearchWorker& worker) {
    SearchRef* search = worker.Search();
    StopJob(node);
    if (searchJobs_)
        searchJobs_->Detach(worker);
    worker.SetSearch(nullptr);
    if (search)
        EndRunning(*search);
}

void JobBoard::EndRunning(SearchRef& search) {
    if (!search.hasflags(Ref::Running) || HasSearchJobs(search))
        return;
    search.clearflags(Ref::Running);
    search.updateview();
}

void JobBoard::StopChecking() {
    for (ThreadNode* node = threads_.First(); node; node = node->Next()) {
        WThread& worker = node->Worker();
        if (CheckWorker* check = asCheck(worker)) {
            if (check->IsRunning())
                StopJob(*node);
        } else if (SearchWorker* search = asSearch(worker); search && search->IsRunning()) {
            search->Request().check = false;
        }
    }
    ClearChecks();
    for (WaitNode* wait = waits_.First(); wait; wait = wait->Next())
        wait->Request().check = false;
}

void JobBoard::dropjobs(Ref& node) {
    if (auto* search = dynamic_cast<SearchRef*>(&node))
        StopSearch(*search);
    const Object* page = node.target();
    if (!page || page->props().url.empty())
        return;
    CheckNode* check = checks_.Find(page->props().url.get());
    if (!check || check->GetState() == CheckNode::Done)
        return;
    const bool running = check->GetState() == CheckNode::Running;
    check->SetState(CheckNode::Done);
    if (running)
        StopChecksOf(check->Key());
}

void JobBoard::StopChecksOf(const SearchKey& url) {
    for (ThreadNode* node = threads_.First(); node; node = node->Next()) {
        CheckWorker* worker = asCheck(node->Worker());
        if (worker && worker->IsRunning() && SearchKey(worker->Url().get(), true) == url)
            StopJob(*node);
    }
}

bool JobBoard::Busy() const {
    return !waits_.empty() || !threads_.empty();
}

bool JobBoard::HasSearchJobs(const SearchRef& search, const WThread* except) const {
    for (WaitNode* wait = waits_.First(); wait; wait = wait->Next()) {
        if (&wait->Search() == &search)
            return true;
    }
    for (ThreadNode* node = threads_.First(); node; node = node->Next()) {
        if (&node->Worker() == except)
            continue;
        SearchWorker* worker = asSearch(node->Worker());
        if (worker && worker->Search() == &search)
            return true;
    }
    return false;
}

} // namespace qx
