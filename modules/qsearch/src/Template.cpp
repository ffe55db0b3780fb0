#include "Template.h"

#include <algorithm>

namespace qsearch {

std::string Template::expand(std::string_view text,
                             const std::map<std::string, std::string>& values) {
    std::string out;
    out.reserve(text.size());
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t open = text.find('{', at);
        const std::size_t close = open == std::string_view::npos ? open : text.find('}', open + 1);
        if (close == std::string_view::npos) {
            out.append(text.substr(at));
            break;
        }
        out.append(text.substr(at, open - at));
        const auto value = values.find(std::string(text.substr(open + 1, close - open - 1)));
        if (value != values.end())
            out += value->second;
        else
            out.append(text.substr(open, close - open + 1));
        at = close + 1;
    }
    return out;
}

std::string Template::escape(std::string_view bytes, std::string_view space,
                             std::string_view keep) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto c = static_cast<unsigned char>(byte);
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' || c == '~' ||
                           keep.find(byte) != std::string_view::npos;
        if (c == ' ') {
            out += space;
        } else if (plain) {
            out += byte;
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

std::string Template::check(std::string_view text,
                            std::initializer_list<std::string_view> allowed) {
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t open = text.find_first_of("{}", at);
        if (open == std::string_view::npos)
            return {};
        if (text[open] == '}')
            return "a \"}\" without its \"{\"";
        const std::size_t close = text.find_first_of("{}", open + 1);
        if (close == std::string_view::npos || text[close] == '{')
            return "a \"{\" without its \"}\"";
        const std::string_view name = text.substr(open + 1, close - open - 1);
        if (std::find(allowed.begin(), allowed.end(), name) == allowed.end())
            return "unknown placeholder {" + std::string(name) + "}";
        at = close + 1;
    }
    return {};
}

} // namespace qsearch
