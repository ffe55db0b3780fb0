#include "model/SearchKey.h"

#include "model/NoCase.h"

#include <cstring>

namespace qx {

SearchKey::SearchKey(const char* text, bool nocase) : nocase_(nocase) {
    set(text);
}

void SearchKey::set(const char* text) {
    text_ = text && *text ? text : nullptr;
    hash_ = hashof(text_, nocase_);
}

bool SearchKey::operator==(const SearchKey& other) const {
    if (!text_ || !other.text_ || hash_ != other.hash_) {
        return false;
    }
    return nocase_ ? nocase::equal(text_, other.text_) : std::strcmp(text_, other.text_) == 0;
}

std::uint32_t SearchKey::hashof(const char* text, bool nocase) {
    std::uint32_t hash = 0;
    if (!text) {
        return hash;
    }
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
        hash = (hash << 1) | (hash >> 31);
        hash ^= nocase ? nocase::lower(*p) : *p;
    }
    return hash;
}

} // namespace qx
