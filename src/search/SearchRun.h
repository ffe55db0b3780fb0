#pragma once

#include "search/ResultFiler.h"

#include <cstdint>
#include <string>

namespace qx {

class DDoc;
class Language;
class MessageBoxer;
class SearchBoard;
class SearchRef;
class SearchRequestDialog;
class SearchScreen;
class WThread;
struct FindInfo;
struct SearchRunState;
struct WSearchInfo;

// A web search on the document's side: a request becomes a saved search with
// one waiting job per engine, the engines' results are filed as they come, and
// each engine's end is recorded in the saved search. Everything here runs on
// the user-interface thread; the workers only hand items over.
class SearchRun {
public:
    SearchRun(DDoc& doc, SearchScreen& screen, SearchBoard& jobs, const Language& texts,
              MessageBoxer& boxes);

    // The find command's request: the saved search with the same query is
    // reused when the user agrees (else nothing happens and null is returned),
    // or a new one is made at the end of the organizer tree.
    SearchRef* start(const FindInfo& request);
    // The search-again command. Nothing while the search runs; with a dialog
    // (the option to confirm is on) the request is edited first and Cancel
    // abandons. True when the search was queued.
    bool again(SearchRef& search, SearchRequestDialog* dialog);

    // One queued item of an engine's worker.
    void file(const WSearchInfo& item, SearchRunState& run, const FindInfo& request) {
        filer_.file(item, run, request);
    }
    // An engine's worker ended with this exit code (the module's result).
    void finish(SearchRunState& run, std::uint16_t server, const std::string& query,
                std::int32_t exitcode, const WThread* worker);
    // A stop command took the worker away from its saved search: the partial
    // counts are recorded and later items dropped.
    void detach(SearchRunState& run, std::uint16_t server);

    // The text of an engine's error: the module's -1 is the server's error
    // answer, anything else a system error code; empty for 0.
    std::string errortext(std::int32_t exitcode) const;

private:
    // Steps shared by a new run and a run again: counters, one job per engine
    // bit, the previous run's marks cleared.
    void queue(SearchRef& search);
    void clearmarks(SearchRef& search);
    void stopped(SearchRef& search);

    DDoc& doc_;
    SearchScreen& screen_;
    SearchBoard& jobs_;
    const Language& texts_;
    MessageBoxer& boxes_;
    ResultFiler filer_;
};

} // namespace qx
