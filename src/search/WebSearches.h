#pragma once

#include "model/DocWorkers.h"
#include "search/SearchBoard.h"
#include "search/SearchRun.h"
#include "workers/JobKinds.h"

#include <memory>

namespace qx {

class DDoc;
class EngineTable;
class JobBoard;
class Language;
class MessageBoxer;
class SearchModule;
class SearchScreen;
class WaitList;
struct Options;

// Web searches of one document plugged into its job board: the board starts a
// WebSearchThread per waiting engine and hands its messages here, the run
// files what the workers deliver, and the document asks here before it
// destroys a node (set this as the document's workers), so that no waiting
// job or worker keeps a pointer into a deleted subtree.
class WebSearches : public SearchJobs, public SearchBoard, public DocWorkers {
public:
    WebSearches(DDoc& doc, JobBoard& board, WaitList& waits, SearchScreen& screen,
                const Language& language, MessageBoxer& boxes, const Options& options,
                const EngineTable& engines, std::shared_ptr<const SearchModule> module);
    ~WebSearches();
    WebSearches(const WebSearches&) = delete;
    WebSearches& operator=(const WebSearches&) = delete;

    // Starting, re-running and the results' filing.
    SearchRun& Run() { return run_; }
    // The progress indicator's figure: -1 when nothing runs or waits and every
    // check is done; else the share of the engines' hits received and of the
    // checks done, as a percentage kept within 5..95.
    int ProgressFigure() const;

    std::unique_ptr<SearchWorker> MakeSearchWorker(platform::MessageTarget* window,
                                                   SearchRef& search, std::uint16_t server,
                                                   const FindInfo& request) override;
    void FileResults(SearchWorker& worker) override;
    void FinishServer(SearchWorker& worker, int result) override;
    void Detach(SearchWorker& worker) override;
    // The worker holds the module itself until it ends.
    void Abandoned(SearchWorker&) override {}

    void queuesearch(SearchRef& search, std::uint16_t server, const FindInfo& request) override;
    bool hassearch(const SearchRef& search, const WThread* except) const override;
    void queuecheck(Ref& result) override;

    void dropjobs(Ref& node) override;

private:
    DDoc& doc_;
    JobBoard& board_;
    WaitList& waits_;
    const Language& language_;
    const Options& options_;
    const EngineTable& engines_;
    std::shared_ptr<const SearchModule> module_;
    SearchRun run_;
};

} // namespace qx
