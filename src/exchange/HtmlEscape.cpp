#include "exchange/HtmlEscape.h"

#include "model/CharsetConverter.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

namespace qx {

namespace {

const char* referenceof(char c) {
    switch (c) {
    case '&':
        return "&amp;";
    case '<':
        return "&lt;";
    case '>':
        return "&gt;";
    case '"':
        return "&quot;";
    case '\'':
        return "&#39;";
    case '\t':
        return "&#9;";
    case '\n':
        return "&#10;";
    case '\f':
        return "&#12;";
    case '\r':
        return "&#13;";
    default:
        return nullptr;
    }
}

} // namespace

namespace {

// Sixteen bytes at a time: most of a title or an address needs nothing, and
// a block is tested for every byte that needs a reference at once.
using Block = unsigned char __attribute__((vector_size(16)));
constexpr std::size_t kBlock = sizeof(Block);

// Where the first byte of the block that may need escaping is, or kBlock.
std::size_t firstescaped(const char* from) {
    Block bytes;
    std::memcpy(&bytes, from, kBlock);
    // The controls below carriage return, among them the four that are
    // escaped; the others are only looked at one by one.
    const Block escaped = (bytes < 14) | (bytes == '&') | (bytes == '<') | (bytes == '>') |
                          (bytes == '"') | (bytes == '\'');
    std::uint64_t halves[2];
    std::memcpy(halves, &escaped, sizeof halves);
    static_assert(std::endian::native == std::endian::little);
    if (halves[0])
        return static_cast<std::size_t>(std::countr_zero(halves[0])) / 8;
    if (halves[1])
        return 8 + static_cast<std::size_t>(std::countr_zero(halves[1])) / 8;
    return kBlock;
}

} // namespace

char* HtmlEscape::copy(std::string_view text, char* to) {
    static const auto references = [] {
        std::array<std::string_view, 256> table{};
        for (int c = 0; c < 256; ++c) {
            if (const char* reference = referenceof(static_cast<char>(c)))
                table[static_cast<std::size_t>(c)] = reference;
        }
        return table;
    }();
    const char* from = text.data();
    const char* const end = from + text.size();
    while (from < end) {
        std::size_t plain = 0;
        if (end - from >= static_cast<std::ptrdiff_t>(kBlock)) {
            // The whole block is copied: the room for escaping it is there,
            // and what follows the plain bytes is written over.
            plain = firstescaped(from);
            std::memcpy(to, from, kBlock);
            to += plain;
            from += plain;
            if (plain == kBlock)
                continue;
        }
        const std::string_view reference = references[static_cast<unsigned char>(*from)];
        if (reference.empty()) {
            *to++ = *from;
        } else {
            std::memcpy(to, reference.data(), reference.size());
            to += reference.size();
        }
        ++from;
    }
    return to;
}

void HtmlEscape::append(std::string_view text, std::string& out) {
    // In pieces escaped on the stack, so that the string grows only by what
    // is written.
    constexpr std::size_t kPiece = 512;
    char escaped[kPiece * kLongest];
    for (std::size_t at = 0; at < text.size(); at += kPiece)
        out.append(escaped, copy(text.substr(at, kPiece), escaped));
}

bool HtmlEscape::safelink(std::string_view url) {
    // Browsers drop blanks and control characters around and inside the
    // scheme before they look at it.
    char scheme[16];
    std::size_t length = 0;
    for (char c : url) {
        if (c == ':' || length == sizeof scheme)
            break;
        if (static_cast<unsigned char>(c) > ' ')
            scheme[length++] = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    const std::string_view name(scheme, length);
    return name != "javascript" && name != "vbscript" && name != "data";
}

void HtmlEscape::appendconverted(CharsetConverter& converter, std::string_view text,
                                 std::uint32_t charset, std::string& out) {
    thread_local std::string utf8;
    append(converter.asutf8(text, charset, utf8), out);
}

std::string HtmlEscape::escape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    append(text, out);
    return out;
}

} // namespace qx
