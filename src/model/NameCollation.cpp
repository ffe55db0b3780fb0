#include "model/NameCollation.h"

#include "platform/Utf8.h"

#include <cstdint>
#include <cstring>
#include <locale.h>
#include <wctype.h>

namespace qx::collation {
namespace {

// The case mapping comes from the C.UTF-8 locale, whatever the user's
// LC_CTYPE: the same names must be one host on every machine. Without it only
// ASCII letters fold.
locale_t casemapping() {
    static const locale_t mapping = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
    return mapping;
}

// The character at text[at] and its length in bytes; 0 for a byte that starts
// no well-formed UTF-8 character.
std::size_t decode(std::string_view text, std::size_t at, char32_t& c) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = lead < 0x80                   ? 1
                         : lead >= 0xC2 && lead < 0xE0 ? 2
                         : lead >= 0xE0 && lead < 0xF0 ? 3
                         : lead >= 0xF0 && lead < 0xF5 ? 4
                                                       : 0;
    if (length == 0 || at + length > text.size())
        return 0;
    c = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (next & 0x3F);
    }
    static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kLeast[length] || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000))
        return 0;
    return length;
}

char32_t lower(char32_t c) {
    if (c < 0x80)
        return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
    const locale_t mapping = casemapping();
    if (!mapping)
        return c;
    const wint_t small = towlower_l(static_cast<wint_t>(c), mapping);
    // A mapping that leaves the range or makes a surrogate would not encode.
    return small <= 0x10FFFF && (small < 0xD800 || small >= 0xE000) ? static_cast<char32_t>(small)
                                                                    : c;
}

// strcoll needs terminated texts; names may hold a zero byte, after which the
// byte order alone decides.
int collate(const std::string& a, const std::string& b) {
    if (const int c = std::strcoll(a.c_str(), b.c_str()))
        return c;
    return a.compare(b);
}

} // namespace

int compare(std::string_view a, std::string_view b) {
    return collate(std::string(a), std::string(b));
}

int comparenocase(std::string_view a, std::string_view b) {
    return collate(fold(a), fold(b));
}

std::string fold(std::string_view text) {
    std::string folded(text);
    // Most names are ASCII, whose letters fold in place.
    std::size_t at = 0;
    for (; at < text.size() && static_cast<unsigned char>(text[at]) < 0x80; ++at) {
        if (text[at] >= 'A' && text[at] <= 'Z')
            folded[at] = static_cast<char>(text[at] + ('a' - 'A'));
    }
    folded.resize(at);
    while (at < text.size()) {
        char32_t c = 0;
        const std::size_t length = decode(text, at, c);
        if (length == 0) {
            folded += text[at++];
            continue;
        }
        // A zero byte is a character of the name, which the encoder skips.
        if (c == 0)
            folded += '\0';
        else
            platform::appendUtf8(folded, lower(c));
        at += length;
    }
    return folded;
}

} // namespace qx::collation
