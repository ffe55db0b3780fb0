#include "FakeJobs.h"

#include "model/SearchRef.h"
#include "workers/CheckList.h"

#include <vector>

namespace qx::test {

std::unique_ptr<SearchWorker> FakeSearchJobs::MakeSearchWorker(platform::MessageTarget* window,
                                                               SearchRef& search,
                                                               std::uint16_t server,
                                                               const FindInfo& request) {
    calls.push_back("make " + std::string(search.name().view()) + " " + std::to_string(server));
    if (refuse)
        return nullptr;
    return std::make_unique<GatedWorker<SearchWorker>>(control_, 0, window, request, server);
}

void FakeSearchJobs::FileResults(SearchWorker& worker) {
    calls.push_back("file " + std::to_string(worker.Server()));
}

void FakeSearchJobs::FinishServer(SearchWorker& worker, int result) {
    calls.push_back("finish " + std::to_string(worker.Server()) + " " + std::to_string(result));
}

void FakeSearchJobs::Detach(SearchWorker& worker) {
    calls.push_back("detach " + std::to_string(worker.Server()));
}

void FakeSearchJobs::Abandoned(SearchWorker& worker) {
    calls.push_back("abandoned " + std::to_string(worker.Server()));
}

std::unique_ptr<CheckWorker> FakeCheckJobs::MakeCheckWorker(platform::MessageTarget* window,
                                                            const Str& url,
                                                            const platform::SystemTime&,
                                                            CheckNode& node) {
    calls.push_back("make " + std::string(url.view()));
    if (refuse)
        return nullptr;
    return std::make_unique<GatedWorker<CheckWorker>>(control_, 1, window, url, &node);
}

void FakeCheckJobs::ApplyCheck(CheckWorker& worker, int result) {
    // As the checker does: a stopped check leaves its node as it was.
    if (worker.IsRunning() && worker.Node())
        worker.Node()->SetState(CheckNode::Done);
    calls.push_back("apply " + std::string(worker.Url().view()) + " " + std::to_string(result) +
                    (worker.IsRunning() ? "" : " stopped"));
}

void RowRecorder::AddRow(const WThread& worker, const std::string& text) {
    calls.push_back("add " + text);
    rows.push_back(&worker);
}

void RowRecorder::UpdateRow(const WThread&, const std::string& text) {
    calls.push_back("update " + text);
}

void RowRecorder::RemoveRow(const WThread& worker) {
    calls.push_back("remove");
    std::erase(rows, &worker);
}

} // namespace qx::test
