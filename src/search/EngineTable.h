#pragma once

#include "stream/Str.h"

#include <cstdint>
#include <string_view>

namespace qx {

// The search engines: each has a bit (in masks and stored data), a number (what
// the search module is given), a fixed name and a display name from the
// language module. Bits and numbers outside the table give 0, bit 0 and empty
// names.
class EngineTable {
public:
    static int number(std::uint16_t bit);
    static std::uint16_t bit(int number);
    static std::string_view name(std::uint16_t bit);
    // The language module's text number of the display name, 0 for none.
    static int displaytext(std::uint16_t bit);
    // The display name through the installed texts (LabelTexts).
    static Str displayname(std::uint16_t bit);
};

} // namespace qx
