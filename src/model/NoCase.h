#pragma once

#include <string_view>

// Comparisons that ignore letter case. Texts are kept as the bytes that
// arrived, whatever their code page, so only ASCII letters are folded; every
// other byte compares as its unsigned value. The result does not depend on the
// process locale.
namespace qx::nocase {

inline unsigned char lower(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
}

// Negative, 0 or positive as a sorts before, with or after b.
int compare(std::string_view a, std::string_view b);

inline bool equal(std::string_view a, std::string_view b) {
    return a.size() == b.size() && compare(a, b) == 0;
}

} // namespace qx::nocase
