#pragma once

#include "Definition.h"

#include <string>
#include <string_view>

namespace qsearch {

// Makes the request addresses of one run: the words written in the engine's
// syntax for the query mode, the exclusion words, both sent in the engine's
// charset, and the page placeholders for each page in turn.
class RequestBuilder {
public:
    RequestBuilder(const Definition& definition, std::string_view query, int mode,
                   std::string_view exclude, int wanted);

    // The address of a page, counted from 0.
    std::string address(int page) const;

    // Whether the address changes from page to page; without it there is one.
    bool pages() const;
    // The results asked of each page ({max}).
    int perPage() const { return perPage_; }

    // The query text in UTF-8 as the engine gets it (exclusions appended when
    // the address has no place of their own for them).
    const std::string& query() const { return query_; }

private:
    std::string encode(std::string_view utf8) const;

    const Definition& definition_;
    std::string query_;
    std::string exclude_;
    int perPage_;
};

} // namespace qsearch
