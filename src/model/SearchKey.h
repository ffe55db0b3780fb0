#pragma once

#include <cstdint>

namespace qx {

// A key for finding records by text quickly: the hash of a text plus a pointer
// to that text. The text is not copied, so whoever owns it recomputes the key
// (set) whenever it changes. A key without text equals nothing.
class SearchKey {
public:
    explicit SearchKey(bool nocase = false) : nocase_(nocase) {}
    SearchKey(const char* text, bool nocase);

    // Points the key at a text (null or empty: no text) and rehashes it.
    void set(const char* text);

    const char* text() const { return text_; }
    std::uint32_t hash() const { return hash_; }
    bool nocase() const { return nocase_; }

    // Both keys have a text, the hashes agree and the texts are equal (byte-wise,
    // or ignoring letter case when this key ignores it).
    bool operator==(const SearchKey& other) const;

    // Rotate left by one, then XOR the byte, over every byte of the text (its
    // lower-case form when nocase).
    static std::uint32_t hashof(const char* text, bool nocase);

private:
    const char* text_ = nullptr;
    std::uint32_t hash_ = 0;
    bool nocase_ = false;
};

} // namespace qx
