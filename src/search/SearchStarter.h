#pragma once

namespace qx {

struct FindInfo;

// Where an accepted request goes to be run: the search run of the document's
// view. The find command knows nothing else of it.
class SearchStarter {
public:
    virtual ~SearchStarter() = default;
    virtual void startsearch(const FindInfo& request) = 0;
};

} // namespace qx
