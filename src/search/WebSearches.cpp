#include "search/WebSearches.h"

#include "model/DDoc.h"
#include "model/Object.h"
#include "model/SearchRef.h"
#include "search/EngineTable.h"
#include "search/WebSearchThread.h"
#include "settings/Options.h"
#include "workers/JobBoard.h"
#include "workers/WaitList.h"

#include <vector>

namespace qx {

namespace {

WebSearchThread* assearch(WThread& worker) {
    return dynamic_cast<WebSearchThread*>(&worker);
}

} // namespace

WebSearches::WebSearches(DDoc& doc, JobBoard& board, WaitList& waits, SearchScreen& screen,
                         const Language& language, MessageBoxer& boxes, const Options& options,
                         const EngineTable& engines, std::shared_ptr<const SearchModule> module)
    : doc_(doc), board_(board), waits_(waits), language_(language), options_(options),
      engines_(engines), module_(std::move(module)), run_(doc, screen, *this, language, boxes) {
    board_.SetSearchJobs(this);
}

WebSearches::~WebSearches() {
    board_.SetSearchJobs(nullptr);
}

std::unique_ptr<SearchWorker> WebSearches::MakeSearchWorker(platform::MessageTarget* window,
                                                            SearchRef& search, std::uint16_t server,
                                                            const FindInfo& request) {
    auto worker = std::make_unique<WebSearchThread>(
        window, request, server, engines_.number(server), engines_.name(server), module_,
        &language_, options_.useProxy, options_.proxyWithPort());
    worker->RunState().search = &search;
    return worker;
}

void WebSearches::FileResults(SearchWorker& worker) {
    auto& search = static_cast<WebSearchThread&>(worker);
    List items;
    search.TakeResults(items);
    while (Node* node = items.first()) {
        run_.file(static_cast<WSearchNode*>(node)->info, search.RunState(), search.Request());
        delete node;
    }
    doc_.commit();
}

void WebSearches::FinishServer(SearchWorker& worker, int result) {
    auto& search = static_cast<WebSearchThread&>(worker);
    // Items still queued behind the end message are filed first.
    FileResults(search);
    run_.finish(search.RunState(), search.Server(), std::string(search.Request().query.view()),
                result, &search);
}

void WebSearches::Detach(SearchWorker& worker) {
    auto& search = static_cast<WebSearchThread&>(worker);
    run_.detach(search.RunState(), search.Server());
}

void WebSearches::queuesearch(SearchRef& search, std::uint16_t server, const FindInfo& request) {
    waits_.Append(std::make_unique<WaitNode>(search, server, request));
}

bool WebSearches::hassearch(const SearchRef& search, const WThread* except) const {
    return board_.HasSearchJobs(search, except);
}

void WebSearches::queuecheck(Ref& result) {
    // The checker marks the result's nodes as being checked; without one the
    // check is only queued.
    if (CheckJobs* checks = board_.GetCheckJobs()) {
        checks->CheckReference(result);
    } else if (const Object* page = result.target()) {
        board_.QueueCheck(page->props().url, page->props().modified);
    }
}

void WebSearches::dropjobs(Ref& node) {
    // Saved searches anywhere below the node stop too, not only the node.
    std::vector<SearchRef*> searches;
    for (Tree* n = &node; n; n = n->nextpreorder(&node)) {
        if (auto* search = dynamic_cast<SearchRef*>(n)) {
            searches.push_back(search);
        }
    }
    for (SearchRef* search : searches) {
        board_.StopSearch(*search);
    }
    for (ThreadNode* t = board_.Threads().First(); t; t = t->Next()) {
        if (WebSearchThread* worker = assearch(t->Worker())) {
            worker->RunState().forget(node);
            if (!worker->RunState().search) {
                worker->SetSearch(nullptr);
            }
        }
    }
    board_.dropjobs(node);
}

int WebSearches::ProgressFigure() const {
    bool checksdone = true;
    for (CheckNode* c = board_.Checks().First(); c; c = c->Next()) {
        checksdone = checksdone && c->GetState() == CheckNode::Done;
    }
    if (board_.Waits().empty() && board_.Threads().empty() && checksdone) {
        return -1;
    }
    unsigned numerator = 0, denominator = 0;
    for (ThreadNode* t = board_.Threads().First(); t; t = t->Next()) {
        WebSearchThread* worker = assearch(t->Worker());
        if (worker && worker->IsRunning() && worker->Hits() != 0) {
            denominator += worker->Hits();
            numerator += worker->Results();
        }
    }
    for (CheckNode* c = board_.Checks().First(); c; c = c->Next()) {
        denominator += 1;
        numerator += c->GetState() == CheckNode::Done;
    }
    const unsigned figure = denominator ? numerator * 100 / denominator : 0;
    return figure == 0 ? 5 : figure > 95 ? 95 : static_cast<int>(figure);
}

} // namespace qx
