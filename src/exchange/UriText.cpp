#include "exchange/UriText.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace qx::exchange {

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

bool ishex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Unreserved and reserved characters stand in a URI as they are.
bool uricharacter(unsigned char c) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
        return true;
    return std::string_view("-._~:/?#[]@!$&'()*+,;=").find(static_cast<char>(c)) !=
           std::string_view::npos;
}

void appendescaped(std::string_view text, std::string& out) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const bool escape =
            c == '%' && i + 2 < text.size() && ishex(text[i + 1]) && ishex(text[i + 2]);
        if (uricharacter(c) || escape) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
}

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

char digit(std::uint32_t d) {
    return static_cast<char>(d < 26 ? 'a' + d : '0' + (d - 26));
}

std::uint32_t adapt(std::uint32_t delta, std::uint32_t points, bool first) {
    delta = first ? delta / 700 : delta / 2;
    delta += delta / points;
    std::uint32_t k = 0;
    while (delta > ((36 - 1) * 26) / 2) {
        delta /= 36 - 1;
        k += 36;
    }
    return k + (36 * delta) / (delta + 38);
}

// The host of an address in punycode where a label needs it; a host that is
// not UTF-8 is percent-encoded instead.
void appendhost(std::string_view host, std::string& out) {
    std::string converted;
    for (std::size_t start = 0; start <= host.size();) {
        std::size_t end = host.find('.', start);
        if (end == std::string_view::npos)
            end = host.size();
        const std::string_view label = host.substr(start, end - start);
        const bool ascii = std::all_of(label.begin(), label.end(),
                                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
        std::string coded;
        if (ascii) {
            converted.append(label);
        } else if (UriText::punycode(label, coded)) {
            converted.append("xn--").append(coded);
        } else {
            appendescaped(host, out);
            return;
        }
        if (end == host.size())
            break;
        converted += '.';
        start = end + 1;
    }
    appendescaped(converted, out);
}

} // namespace

bool UriText::punycode(std::string_view label, std::string& out) {
    std::vector<std::uint32_t> points;
    if (!decode(label, points))
        return false;
    out.clear();
    for (std::uint32_t cp : points)
        if (cp < 0x80)
            out += static_cast<char>(cp >= 'A' && cp <= 'Z' ? cp + 32 : cp);
    const std::size_t basic = out.size();
    std::size_t handled = basic;
    if (basic > 0)
        out += '-';
    std::uint32_t n = 0x80, delta = 0, bias = 72;
    while (handled < points.size()) {
        std::uint32_t next = 0x10FFFF + 1;
        for (std::uint32_t cp : points)
            if (cp >= n && cp < next)
                next = cp;
        delta += (next - n) * static_cast<std::uint32_t>(handled + 1);
        n = next;
        for (std::uint32_t cp : points) {
            if (cp < n) {
                ++delta;
            } else if (cp == n) {
                std::uint32_t q = delta;
                for (std::uint32_t k = 36;; k += 36) {
                    const std::uint32_t t = k <= bias ? 1 : (k >= bias + 26 ? 26 : k - bias);
                    if (q < t)
                        break;
                    out += digit(t + (q - t) % (36 - t));
                    q = (q - t) / (36 - t);
                }
                out += digit(q);
                bias = adapt(delta, static_cast<std::uint32_t>(handled + 1), handled == basic);
                delta = 0;
                ++handled;
            }
        }
        ++delta;
        ++n;
    }
    return true;
}

std::string UriText::encoded(std::string_view url) {
    std::string out;
    const std::size_t scheme = url.find("://");
    if (scheme == std::string_view::npos) {
        appendescaped(url, out);
        return out;
    }
    const std::size_t authority = scheme + 3;
    std::size_t end = url.find_first_of("/?#", authority);
    if (end == std::string_view::npos)
        end = url.size();
    appendescaped(url.substr(0, authority), out);
    std::string_view host = url.substr(authority, end - authority);
    if (const std::size_t at = host.rfind('@'); at != std::string_view::npos) {
        appendescaped(host.substr(0, at + 1), out);
        host.remove_prefix(at + 1);
    }
    std::string_view port;
    if (const std::size_t colon = host.rfind(':');
        colon != std::string_view::npos && host.find(']', colon) == std::string_view::npos) {
        port = host.substr(colon);
        host = host.substr(0, colon);
    }
    appendhost(host, out);
    appendescaped(port, out);
    appendescaped(url.substr(end), out);
    return out;
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
