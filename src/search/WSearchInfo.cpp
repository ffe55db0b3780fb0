#include "search/WSearchInfo.h"

#include <cstring>
#include <string_view>

namespace qx {

std::uint32_t WSearchInfo::countlevel(const char* leveltext) {
    if (!leveltext) {
        return 0;
    }
    std::uint32_t level = 0;
    for (std::size_t i = 0; i < kLevelCap && leveltext[i]; ++i) {
        level += leveltext[i] == ':';
    }
    return level;
}

Str WSearchInfo::capped(const char* text, std::size_t cap) {
    if (!text) {
        return {};
    }
    return Str(std::string_view(text, strnlen(text, cap)));
}

} // namespace qx
