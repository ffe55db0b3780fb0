#pragma once

#include "qsearch/WebSearch.h"

#include <string_view>

namespace qsearch {

// Dates of results as engines write them: ISO 8601 ("2024-03-05",
// "2024-03-05T10:20:30.5+02:00") from JSON APIs and Atom, RFC 822 ("Tue, 05
// Mar 2024 10:20:30 GMT") from RSS and pages, or seconds since 1970 as some
// JSON APIs give them. The result is in UTC.
class DateParser {
public:
    // False (out untouched) when the text is neither.
    static bool parse(std::string_view text, WSearchDate& out);
};

} // namespace qsearch
