#include "exchange/BookmarkTree.h"

#include <array>

namespace qx {

namespace {

bool startsnocase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != prefix[i])
            return false;
    }
    return true;
}

bool isblank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

} // namespace

std::uint32_t BookmarkTree::checked(std::uint32_t parent) const {
    return parent < items_.size() && items_[parent].folder ? parent : kTop;
}

std::uint32_t BookmarkTree::addfolder(std::uint32_t parent, std::string_view title) {
    Item item;
    item.parent = checked(parent);
    item.folder = true;
    item.title = cleantext(title, kMaxTitle);
    items_.push_back(std::move(item));
    ++folders_;
    return static_cast<std::uint32_t>(items_.size() - 1);
}

bool BookmarkTree::addbookmark(std::uint32_t parent, std::string_view url, std::string_view title,
                               platform::FileTime added, std::string_view description) {
    std::string address = cleantext(url, kMaxUrl + 1);
    if (address.size() > kMaxUrl || !isweb(address)) {
        ++skipped_;
        return false;
    }
    Item item;
    item.parent = checked(parent);
    item.url = std::move(address);
    item.title = cleantext(title, kMaxTitle);
    item.description = cleantext(description, kMaxDescription);
    item.added = added;
    items_.push_back(std::move(item));
    return true;
}

void BookmarkTree::settitle(std::uint32_t folder, std::string_view title) {
    if (folder < items_.size())
        items_[folder].title = cleantext(title, kMaxTitle);
}

void BookmarkTree::dropifempty(std::uint32_t folder) {
    if (folder + 1 == items_.size() && items_.back().folder) {
        items_.pop_back();
        --folders_;
    }
}

std::string BookmarkTree::cleantext(std::string_view text, std::size_t limit) {
    std::string clean;
    clean.reserve(std::min(text.size(), limit));
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c == 0x7F) {
            // A line break or tab inside a title separates words.
            if ((c == '\t' || c == '\n' || c == '\r') && !clean.empty() && clean.back() != ' ')
                clean += ' ';
            continue;
        }
        // U+0080..U+009F, the C1 controls, are 0xC2 0x80..0x9F in UTF-8.
        if (c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
            static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
            ++i;
            continue;
        }
        // U+FFFE and U+FFFF, which no text may hold (XML refuses them).
        if (c == 0xEF && i + 2 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0xBF &&
            (static_cast<unsigned char>(text[i + 2]) & 0xFE) == 0xBE) {
            i += 2;
            continue;
        }
        clean += static_cast<char>(c);
    }
    std::size_t first = 0;
    while (first < clean.size() && isblank(clean[first]))
        ++first;
    std::size_t last = clean.size();
    while (last > first && isblank(clean[last - 1]))
        --last;
    if (last - first > limit) {
        last = first + limit;
        // Back to the start of the sequence the cut fell into.
        while (last > first && (static_cast<unsigned char>(clean[last]) & 0xC0) == 0x80)
            --last;
    }
    return clean.substr(first, last - first);
}

bool BookmarkTree::isweb(std::string_view url) {
    static constexpr std::array<std::string_view, 3> kSchemes = {"http://", "https://", "ftp://"};
    for (std::string_view scheme : kSchemes) {
        if (startsnocase(url, scheme)) {
            const std::string_view rest = url.substr(scheme.size());
            return !rest.empty() && rest.front() != '/' && rest.front() != '?' &&
                   rest.front() != '#';
        }
    }
    return false;
}

} // namespace qx
