#pragma once

#include <cstdint>

namespace qx {

class Ref;
class SearchRef;
class WThread;
struct FindInfo;

// What the search run asks of the job board: queue one engine of a saved
// search, tell whether a search of it still waits or runs, and queue the check
// of a new result.
class SearchBoard {
public:
    virtual void queuesearch(SearchRef& search, std::uint16_t server, const FindInfo& request) = 0;
    // A waiting job or a running worker other than `except` belongs to the
    // saved search.
    virtual bool hassearch(const SearchRef& search, const WThread* except) const = 0;
    virtual void queuecheck(Ref& result) = 0;

protected:
    ~SearchBoard() = default;
};

} // namespace qx
