#pragma once

#include "Definition.h"
#include "PageResults.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace qsearch {

// Reads the results out of one engine page by a definition's field rules.
class Extractor {
public:
    virtual ~Extractor() = default;

    // False when the page cannot be read as the definition says (not JSON, no
    // result array where the path points); a page without results is not an
    // error. charset is the page's declared charset (may be empty). At most
    // limit results are read.
    virtual bool extract(std::string_view body, const std::string& charset, std::size_t limit,
                         PageResults& out) const = 0;

    // The extractor of a definition's kind.
    static std::unique_ptr<Extractor> create(const Definition& definition);
};

} // namespace qsearch
