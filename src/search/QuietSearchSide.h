#pragma once

#include "search/SearchBoard.h"
#include "search/SearchScreen.h"

#include <string>

namespace qx {

// A search side where nothing is shown and nothing queued: for filing without
// a window or a job board (the command-line tool's screen, the benchmark and
// the fuzzer).
class QuietSearchSide : public SearchScreen, public SearchBoard {
public:
    void status(const std::string&) override {}
    void progress() override {}
    void expand(Ref&) override {}
    void queuesearch(SearchRef&, std::uint16_t, const FindInfo&) override {}
    bool hassearch(const SearchRef&, const WThread*) const override { return false; }
    void queuecheck(Ref&) override {}
};

} // namespace qx
