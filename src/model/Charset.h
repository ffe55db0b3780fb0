#pragma once

#include "stream/Str.h"

#include <cstdint>
#include <string_view>

namespace qx {

// The character set of a page, kept as a small code beside its bytes; texts are
// never converted between code pages.
class Charset {
public:
    enum Code : std::uint32_t {
        Unknown = 0,
        Windows1251 = 1,
        Ibm866 = 2,
        Koi8r = 3,
        Iso8859_5 = 4,
        Iso8859_1 = 5,
    };

    // The code of a charset name a search result reports (any letter case);
    // 0 for a name not known.
    static std::uint32_t fromresult(std::string_view name);
    // The code of a Content-Type charset parameter (any letter case). Knows
    // one name fewer than the result table: "iso8859-1" gives 0.
    static std::uint32_t fromheader(std::string_view name);

    // Splits a Content-Type header value into its media type (empty when none;
    // the last item without "=" when several) and the code of its charset
    // parameter (0 when none or not known). Items are separated by runs of ";"
    // and blanks, so a quoted value or blanks around "=" give 0.
    static void parsecontenttype(std::string_view value, Str& mediatype, std::uint32_t& charset);
};

} // namespace qx
