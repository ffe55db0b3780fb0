#pragma once

#include <string>
#include <string_view>

namespace qsearch {

// Charset conversion through iconv, for queries sent in an engine's own
// charset and for pages read in one.
class Recoder {
public:
    // Converts text from one charset to another. Characters the target lacks
    // become a close substitute or "?"; bytes invalid in the source are
    // skipped. False only when iconv knows neither name.
    static bool convert(std::string_view text, const std::string& from, const std::string& to,
                        std::string& out);

    // Whether iconv can convert from UTF-8 to this charset.
    static bool known(const std::string& charset);
};

} // namespace qsearch
