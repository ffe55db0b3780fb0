#include "ui/tree/model/TreeTextSearch.h"

#include "model/NameCollation.h"
#include "ui/tree/model/TreeViewNode.h"

#include <cctype>

namespace qx {

namespace {

// The code point that ends just before pos (pos > 0), UTF-8 decoded; a stray
// byte stands for itself.
char32_t pointBefore(std::string_view s, std::size_t pos) {
    std::size_t start = pos - 1;
    while (start > 0 && pos - start < 4 && (static_cast<unsigned char>(s[start]) & 0xC0) == 0x80)
        --start;
    const auto lead = static_cast<unsigned char>(s[start]);
    if (lead < 0x80 || start + 1 == pos)
        return lead;
    const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : 1;
    char32_t cp = lead & (0x3F >> extra);
    for (std::size_t i = start + 1; i < pos; ++i)
        cp = (cp << 6) | (static_cast<unsigned char>(s[i]) & 0x3F);
    return cp;
}

char32_t pointAt(std::string_view s, std::size_t pos) {
    const auto lead = static_cast<unsigned char>(s[pos]);
    if (lead < 0xC0)
        return lead;
    const std::size_t extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : 1;
    char32_t cp = lead & (0x3F >> extra);
    for (std::size_t i = pos + 1; i <= pos + extra && i < s.size(); ++i)
        cp = (cp << 6) | (static_cast<unsigned char>(s[i]) & 0x3F);
    return cp;
}

// ASCII by its class; beyond it every character counts as a letter except
// the punctuation and spaces of Latin-1 and the general punctuation block,
// which titles use between words.
bool wordCharacter(char32_t cp) {
    if (cp < 0x80)
        return std::isalnum(static_cast<int>(cp)) != 0;
    if (cp >= 0xA0 && cp <= 0xBF)
        return false;
    if ((cp >= 0x2000 && cp <= 0x206F) || (cp >= 0x3000 && cp <= 0x303F))
        return false;
    return cp != 0xD7 && cp != 0xF7;
}

} // namespace

std::size_t findInLabel(std::string_view label, const TextQuery& query, std::size_t from) {
    if (query.text.empty())
        return std::string_view::npos;
    std::string foldedLabel, foldedText;
    if (!query.matchCase) {
        foldedLabel = collation::fold(label);
        foldedText = collation::fold(query.text);
    }
    const std::string_view hay = query.matchCase ? label : std::string_view(foldedLabel);
    const std::string_view needle = query.matchCase ? std::string_view(query.text) : foldedText;
    for (std::size_t at = hay.find(needle, from); at != std::string_view::npos;
         at = hay.find(needle, at + 1)) {
        if (!query.wholeWord)
            return at;
        const std::size_t end = at + needle.size();
        const bool before = at > 0 && wordCharacter(pointBefore(hay, at));
        const bool after = end < hay.size() && wordCharacter(pointAt(hay, end));
        if (!before && !after)
            return at;
    }
    return std::string_view::npos;
}

int replaceInText(std::string& text, const TextQuery& query, std::string_view with, bool all) {
    if (!query.matchCase && (collation::fold(text).size() != text.size() ||
                             collation::fold(query.text).size() != query.text.size()))
        return 0;
    int count = 0;
    for (std::size_t at = findInLabel(text, query); at != std::string_view::npos;
         at = findInLabel(text, query, at + with.size())) {
        text.replace(at, query.text.size(), with);
        ++count;
        if (!all)
            break;
    }
    return count;
}

TreeViewNode* preorderStep(TreeViewNode& node, bool down) {
    if (down) {
        if (node.firstChild())
            return node.firstChild();
        for (TreeViewNode* n = &node; n; n = n->parent()) {
            if (n->next())
                return n->next();
        }
        return nullptr;
    }
    TreeViewNode* prev = node.previous();
    if (!prev)
        return node.parent();
    while (prev->lastChild())
        prev = prev->lastChild();
    return prev;
}

TreeTextSearch::Result TreeTextSearch::find(TreeViewNode* start, const TextQuery& query,
                                            const AskWrap& askWrap) {
    match_ = nullptr;
    if (query.text != lastText_) {
        lastText_ = query.text;
        matches_ = 0;
    }
    if (!start || query.text.empty())
        return Result::NotFound;
    TreeViewNode* root = start;
    while (root->parent())
        root = root->parent();
    TreeViewNode* node = start;
    for (;;) {
        node = preorderStep(*node, query.down);
        if (!node) {
            if (!askWrap())
                return Result::Declined;
            // The other end: the root going down, the last row going up.
            node = root;
            if (!query.down) {
                while (node->lastChild())
                    node = node->lastChild();
            }
        }
        if (node == start)
            return Result::BackAtStart;
        if (findInLabel(node->label(), query) != std::string_view::npos) {
            match_ = node;
            ++matches_;
            return Result::Found;
        }
    }
}

} // namespace qx
