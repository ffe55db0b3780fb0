#pragma once

#include "search/ShortDate.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

struct SearchProp;

// The rows of a saved search's statistics: the totals, then one row per engine
// run.
class SearchStatistics {
public:
    static constexpr std::size_t kMaxColumns = 10;

    using Row = std::vector<std::string>;
    // The display name of an engine bit.
    using EngineName = std::function<std::string(std::uint16_t bit)>;

    // The "|"-separated column titles, at most kMaxColumns of them.
    static std::vector<std::string> columns(std::string_view titles);

    // First row: the totals' title, total, added and broken, the date of the
    // last run. Then per engine record: its name, found, the error text or else
    // added, an empty cell, the record's date. Cells are kept as they are (an
    // error text with a "|" stays in its cell).
    static std::vector<Row> rows(const SearchProp& search, std::string_view totalTitle,
                                 const EngineName& engineName, const ShortDate& date);
};

} // namespace qx
