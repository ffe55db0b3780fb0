#pragma once

namespace qx {

struct FindInfo;
struct SearchProp;

// The find dialog as running a saved search again shows it (option
// "CheckSearch"): the request to edit, with the saved search's statistics
// beside it. True for OK.
class SearchRequestDialog {
public:
    virtual bool edit(FindInfo& request, const SearchProp& statistics) = 0;

protected:
    ~SearchRequestDialog() = default;
};

} // namespace qx
