#include "exchange/UriText.h"

#include "net/UrlEncoding.h"

#include <cstdint>
#include <vector>

namespace qx::exchange {

namespace {

// The code points of UTF-8 text; false at the first byte that is not UTF-8.
bool decode(std::string_view text, std::vector<std::uint32_t>& out) {
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        int more = 0;
        std::uint32_t cp = c;
        if (c >= 0xF5 || (c >= 0x80 && c < 0xC2)) {
            return false;
        } else if (c >= 0xF0) {
            more = 3;
            cp = c & 0x07;
        } else if (c >= 0xE0) {
            more = 2;
            cp = c & 0x0F;
        } else if (c >= 0xC2) {
            more = 1;
            cp = c & 0x1F;
        }
        if (i + static_cast<std::size_t>(more) >= text.size())
            return false;
        for (int k = 1; k <= more; ++k) {
            const auto b = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            if ((b & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (b & 0x3F);
        }
        const bool overlong = (more == 2 && cp < 0x800) || (more == 3 && cp < 0x10000);
        if (overlong || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        out.push_back(cp);
        i += static_cast<std::size_t>(more) + 1;
    }
    return true;
}

} // namespace

std::string UriText::encoded(std::string_view url) {
    return UrlEncoding::forRequest(url);
}

std::string UriText::utf16le(std::string_view text) {
    std::string out;
    std::vector<std::uint32_t> points;
    for (std::size_t i = 0; i < text.size();) {
        // Decoding one character at a time lets a bad byte cost only itself.
        std::size_t len = 1;
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0xF0)
            len = 4;
        else if (c >= 0xE0)
            len = 3;
        else if (c >= 0xC0)
            len = 2;
        points.clear();
        if (i + len > text.size() || !decode(text.substr(i, len), points)) {
            points.assign(1, 0xFFFD);
            len = 1;
        }
        std::uint32_t cp = points.front();
        auto put = [&out](std::uint32_t unit) {
            out += static_cast<char>(unit & 0xFF);
            out += static_cast<char>(unit >> 8);
        };
        if (cp >= 0x10000) {
            cp -= 0x10000;
            put(0xD800 + (cp >> 10));
            put(0xDC00 + (cp & 0x3FF));
        } else {
            put(cp);
        }
        i += len;
    }
    return out;
}

} // namespace qx::exchange
