#include "net/ReadableAddress.h"

#include <cstdint>
#include <vector>

namespace qx {

namespace {

struct Byte {
    unsigned char value;
    bool escaped; // came as %XX
};

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Escaped, these keep the address's structure: decoding them would split a
// path piece or start a query where there was none.
bool isDelimiter(unsigned char c) {
    constexpr std::string_view kDelimiters = ":/?#[]@!$&'()*+,;=%";
    return kDelimiters.find(static_cast<char>(c)) != std::string_view::npos;
}

// Characters that do not show as themselves or reorder the text around them.
bool isHidden(std::uint32_t cp) {
    return cp < 0x20 || (cp >= 0x7F && cp <= 0x9F) || cp == 0xAD || cp == 0x061C ||
           (cp >= 0x200B && cp <= 0x200F) || (cp >= 0x2028 && cp <= 0x202E) ||
           (cp >= 0x2060 && cp <= 0x2069) || cp == 0xFEFF;
}

void escape(std::string& out, unsigned char c) {
    constexpr char kHex[] = "0123456789ABCDEF";
    out += '%';
    out += kHex[c >> 4];
    out += kHex[c & 0x0F];
}

// The length of the UTF-8 sequence at i and its code point; 0 when the bytes
// there are no well-formed sequence.
std::size_t sequence(const std::vector<Byte>& bytes, std::size_t i, std::uint32_t& cp) {
    const unsigned char lead = bytes[i].value;
    std::size_t length = 0;
    std::uint32_t min = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        cp = lead & 0x1Fu;
        min = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        cp = lead & 0x0Fu;
        min = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        cp = lead & 0x07u;
        min = 0x10000;
    } else {
        return 0;
    }
    if (i + length > bytes.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const unsigned char next = bytes[i + k].value;
        if ((next & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (next & 0x3Fu);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return length;
}

} // namespace

std::string readableAddress(std::string_view url) {
    std::vector<Byte> bytes;
    bytes.reserve(url.size());
    for (std::size_t i = 0; i < url.size(); ++i) {
        if (url[i] == '%' && i + 2 < url.size()) {
            const int high = hexValue(url[i + 1]);
            const int low = hexValue(url[i + 2]);
            if (high >= 0 && low >= 0) {
                bytes.push_back({static_cast<unsigned char>(high * 16 + low), true});
                i += 2;
                continue;
            }
        }
        bytes.push_back({static_cast<unsigned char>(url[i]), false});
    }

    std::string out;
    out.reserve(url.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const Byte b = bytes[i];
        if (b.value < 0x80) {
            if (b.escaped && isDelimiter(b.value))
                escape(out, b.value);
            else if (isHidden(b.value))
                escape(out, b.value);
            else
                out += static_cast<char>(b.value);
            ++i;
            continue;
        }
        std::uint32_t cp = 0;
        const std::size_t length = sequence(bytes, i, cp);
        if (length == 0) {
            escape(out, b.value);
            ++i;
            continue;
        }
        for (std::size_t k = 0; k < length; ++k) {
            if (isHidden(cp))
                escape(out, bytes[i + k].value);
            else
                out += static_cast<char>(bytes[i + k].value);
        }
        i += length;
    }
    return out;
}

} // namespace qx
