#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qx {

// Turns page texts, kept in the bytes of their charset code, into UTF-8 for
// whatever leaves the program as UTF-8 (exported pages, bookmark files, the
// tool's output). Code 0, and any code above 5, stands for text that should
// already be UTF-8: bytes that are not are replaced. The converters are
// opened once per code and kept, so one object serves a whole export.
class CharsetConverter {
public:
    CharsetConverter();
    ~CharsetConverter();
    CharsetConverter(const CharsetConverter&) = delete;
    CharsetConverter& operator=(const CharsetConverter&) = delete;

    // The text as UTF-8, appended to out. Never fails: a byte that cannot be
    // converted becomes U+FFFD.
    void appendutf8(std::string_view text, std::uint32_t charset, std::string& out);
    std::string toutf8(std::string_view text, std::uint32_t charset);
    // The text as UTF-8 without a copy when it is plain ASCII; else converted
    // into scratch, which the answer then points into.
    std::string_view asutf8(std::string_view text, std::uint32_t charset, std::string& scratch);

    // Whether the text is plain ASCII, the same bytes in every charset here.
    static bool ascii(std::string_view text);

    // The iconv name of a charset code, or null for 0 and unknown codes.
    static const char* iconvname(std::uint32_t charset);

private:
    static void appendvalidutf8(std::string_view text, std::string& out);
    void appendconverted(std::string_view text, std::uint32_t charset, std::string& out);

    static constexpr int kCodes = 6;
    // iconv_t handles by charset code; (void*)-1 when not opened or refused.
    void* handles_[kCodes];
};

} // namespace qx
