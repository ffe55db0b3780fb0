#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qx {

class DDoc;
class Ref;
class SearchRef;

// The direct children of one saved search by their target's title, so that
// filing finds a same-title anchor without scanning every result each time.
// The filer reports its own changes; any other change of the document (seen
// through its stamp) rebuilds the index before the next look-up. Entries are
// checked when found, so a node that moved away or changed title is skipped.
class TitleAnchors {
public:
    explicit TitleAnchors(DDoc& doc) : doc_(doc) {}

    // The first direct child of the search, other than `except`, whose
    // target's title is this text byte for byte; null when there is none.
    Ref* find(SearchRef& search, std::string_view title, const Ref* except);
    // The node became a child of the indexed search, or its title changed.
    void added(Ref& node);
    // The node is about to be destroyed.
    void removed(Ref& node);
    // The filer's own changes are all reported: the document as it is now is
    // what the index describes.
    void sync();

private:
    void rebuild(SearchRef& search);
    bool matches(const Ref& node, std::string_view title) const;

    DDoc& doc_;
    SearchRef* search_ = nullptr;
    std::uint64_t stamp_ = 0;
    std::unordered_map<std::string, std::vector<Ref*>> bytitle_;
};

} // namespace qx
