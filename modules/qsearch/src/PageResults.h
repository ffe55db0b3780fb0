#pragma once

#include <string>
#include <vector>

namespace qsearch {

// One result as read from a page, its texts as they stood there (title still
// with markup and entities, the link perhaps relative).
struct RawResult {
    std::string title;
    std::string url;
    std::string date;
    std::string size;
    std::string score;
};

// What one engine page yields.
struct PageResults {
    std::vector<RawResult> results;
    // The engine's hit count as the page writes it; empty when it gives none.
    std::string total;
};

} // namespace qsearch
