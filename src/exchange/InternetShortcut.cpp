#include "exchange/InternetShortcut.h"

#include <unordered_map>

namespace qx::exchange {

namespace {

constexpr std::size_t kMaxFileName = 255;
constexpr std::string_view kSuffix = ".url";

bool isContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// Splits at "\r\n", "\n" or a lone "\r": no line keeps a line break.
std::vector<std::string_view> lines(std::string_view text) {
    std::vector<std::string_view> out;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        out.push_back(text.substr(0, end));
        if (end == std::string_view::npos)
            break;
        const bool pair = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
        text.remove_prefix(end + (pair ? 2 : 1));
    }
    return out;
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\0'))
        s.remove_suffix(1);
    return s;
}

} // namespace

std::string InternetShortcut::content(std::string_view url) {
    std::string text = "[InternetShortcut]\r\nURL=";
    text += url;
    text += "\r\n";
    return text;
}

std::string InternetShortcut::fileName(std::string_view title) {
    std::size_t keep = std::min(title.size(), kMaxFileName - kSuffix.size());
    // Never end inside a character: back up over continuation bytes to the
    // start of the character that would be cut.
    if (keep < title.size()) {
        while (keep > 0 && isContinuation(static_cast<unsigned char>(title[keep])))
            --keep;
    }
    std::string name(title.substr(0, keep));
    for (char& c : name) {
        if (c == '/' || c == '\0')
            c = '_';
    }
    name += kSuffix;
    return name;
}

std::string InternetShortcut::urlOf(std::string_view content) {
    for (std::string_view line : lines(content)) {
        line = trimmed(line);
        if (line.size() > 4 && line.substr(0, 4) == "URL=")
            return std::string(line.substr(4));
    }
    return {};
}

std::vector<DroppedLink> parseUriList(std::string_view text) {
    std::vector<DroppedLink> links;
    for (std::string_view line : lines(text)) {
        line = trimmed(line);
        if (!line.empty() && line.front() != '#')
            links.push_back({std::string(line), {}});
    }
    return links;
}

std::vector<DroppedLink> parseMozUrl(std::string_view text) {
    std::vector<DroppedLink> links;
    const std::vector<std::string_view> all = lines(text);
    for (std::size_t i = 0; i < all.size(); i += 2) {
        const std::string_view url = trimmed(all[i]);
        if (url.empty())
            continue;
        links.push_back(
            {std::string(url), i + 1 < all.size() ? std::string(trimmed(all[i + 1])) : ""});
    }
    return links;
}

std::vector<DroppedLink> parseAddressText(std::string_view text) {
    std::vector<DroppedLink> links;
    for (std::string_view line : lines(text)) {
        line = trimmed(line);
        if (line.empty())
            continue;
        std::string lower(line.substr(0, 8));
        for (char& c : lower)
            c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
        const std::size_t scheme = lower.starts_with("http://")    ? 7
                                   : lower.starts_with("https://") ? 8
                                                                   : 0;
        if (scheme == 0 || line.size() == scheme || line.find_first_of(" \t\f\v") != line.npos)
            return {};
        links.push_back({std::string(line), {}});
    }
    return links;
}

void addTitles(std::vector<DroppedLink>& links, const std::vector<DroppedLink>& titled) {
    std::unordered_map<std::string_view, std::string_view> titles;
    for (const DroppedLink& other : titled) {
        if (!other.title.empty())
            titles.emplace(other.url, other.title);
    }
    for (DroppedLink& link : links) {
        const auto found = link.title.empty() ? titles.find(link.url) : titles.end();
        if (found != titles.end())
            link.title = found->second;
    }
}

} // namespace qx::exchange
