#include "model/SearchKey.h"

#include "model/NoCase.h"

#include <bit>
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
    // Each byte rotates the hash by one bit and is xored in. Four bytes at a
    // time give the same value: within one step their parts are plain shifts
    // that do not wait for each other, so the chain of dependent steps that
    // every page's address and title go through is a quarter as long.
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    std::size_t left = std::strlen(text);
    auto byte = [nocase](unsigned char c) -> std::uint32_t {
        return nocase ? nocase::lower(c) : c;
    };
    for (; left >= 4; left -= 4, p += 4) {
        hash =
            std::rotl(hash, 4) ^ (byte(p[0]) << 3 ^ byte(p[1]) << 2 ^ byte(p[2]) << 1 ^ byte(p[3]));
    }
    for (; left > 0; --left, ++p) {
        hash = std::rotl(hash, 1) ^ byte(*p);
    }
    return hash;
}

} // namespace qx
