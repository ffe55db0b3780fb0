#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace qx {

class TreeViewNode;

// What the find and replace dialogs ask for.
struct TextQuery {
    std::string text;
    bool matchCase = false;
    bool wholeWord = false;
    bool down = true;
};

// The text occurs in the label: letter case ignored (in every script) unless
// matchCase; with wholeWord, no letter or digit may touch the occurrence on
// either side. Where the first one at or after from starts, in bytes, or npos.
std::size_t findInLabel(std::string_view label, const TextQuery& query, std::size_t from = 0);

// Replaces what findInLabel finds in text (only the first unless all); how
// many were replaced. Letter case is ignored only where folding keeps every
// byte offset (as for Latin and Cyrillic letters); any other text is left
// as it is when case is ignored.
int replaceInText(std::string& text, const TextQuery& query, std::string_view with, bool all);

// The next row of a tree in pre-order (children before the next sibling), or
// the previous one when !down; null past either end.
TreeViewNode* preorderStep(TreeViewNode& node, bool down);

// One search over the rows of a tree, from the focused row: every row is a
// shown node, so the walk never meets one that is filtered out. The number of
// matches is kept across searches of the same text, for the message when the
// walk comes back to where it started.
class TreeTextSearch {
public:
    enum class Result {
        Found,       // match() is the row
        NotFound,    // no start row, or no text
        Declined,    // the end was reached and the user did not go on
        BackAtStart, // the walk came round to the start row
    };
    // Asked at the end of the walk; true goes on from the other end.
    using AskWrap = std::function<bool()>;

    Result find(TreeViewNode* start, const TextQuery& query, const AskWrap& askWrap);
    TreeViewNode* match() const { return match_; }
    int matches() const { return matches_; }

private:
    TreeViewNode* match_ = nullptr;
    std::string lastText_;
    int matches_ = 0;
};

} // namespace qx
