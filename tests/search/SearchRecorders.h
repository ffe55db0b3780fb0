#pragma once

#include "EnglishLanguage.h"
#include "model/FindInfo.h"
#include "search/SearchBoard.h"
#include "search/SearchScreen.h"
#include "search/WSearchInfo.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qx {
class Language;
}

namespace qx::test {

// The status bar, progress and expansion of a search, recorded.
class ScreenRecorder : public SearchScreen {
public:
    void status(const std::string& text) override { statuses.push_back(text); }
    void progress() override { ++progresses; }
    void expand(Ref& node) override { expanded.push_back(&node); }

    std::vector<std::string> statuses;
    int progresses = 0;
    std::vector<Ref*> expanded;
};

// The job board as the search run sees it, recorded.
class BoardRecorder : public SearchBoard {
public:
    struct Wait {
        SearchRef* search;
        std::uint16_t server;
        FindInfo request;
    };
    void queuesearch(SearchRef& search, std::uint16_t server, const FindInfo& request) override {
        waits.push_back({&search, server, request});
    }
    bool hassearch(const SearchRef&, const WThread*) const override { return busy; }
    void queuecheck(Ref& result) override { checks.push_back(&result); }

    std::vector<Wait> waits;
    std::vector<Ref*> checks;
    bool busy = false;
};

// A result item as a worker would have queued it.
WSearchInfo resultitem(std::uint32_t level, const char* title, const char* url,
                       std::uint32_t server = 1, std::uint32_t fitness = 0,
                       std::uint32_t sequence = 0);

} // namespace qx::test
