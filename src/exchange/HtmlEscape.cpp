#include "exchange/HtmlEscape.h"

#include "model/CharsetConverter.h"

#include <array>

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

void HtmlEscape::append(std::string_view text, std::string& out) {
    // Most bytes of a title need nothing: a table finds the others.
    static const auto special = [] {
        std::array<bool, 256> table{};
        for (int c = 0; c < 256; ++c)
            table[static_cast<std::size_t>(c)] = referenceof(static_cast<char>(c)) != nullptr;
        return table;
    }();
    std::size_t from = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!special[static_cast<unsigned char>(text[i])])
            continue;
        if (const char* reference = referenceof(text[i])) {
            out.append(text.substr(from, i - from));
            out.append(reference);
            from = i + 1;
        }
    }
    out.append(text.substr(from));
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
    if (CharsetConverter::ascii(text)) {
        append(text, out);
        return;
    }
    thread_local std::string utf8;
    utf8.clear();
    converter.appendutf8(text, charset, utf8);
    append(utf8, out);
}

std::string HtmlEscape::escape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    append(text, out);
    return out;
}

} // namespace qx
