#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qx {

class DDoc;
class Ref;

// Reads a browser bookmark file (the Netscape bookmark format) into a
// document: folders become organizer folders, bookmarks references to pages
// filed in the domain tree, confirmed, with the bookmark's title, its date
// (LAST_MODIFIED, else ADD_DATE) as the page's modified time, and its
// description as the page's comment. The file is read by libxml2's HTML
// parser, which takes any bytes.
class BookmarkImport {
public:
    enum : int { Ok = 0, NotHtml = 1, TooLarge = 2 };

    explicit BookmarkImport(DDoc& doc);

    // Adds what the bytes hold at the end of parent: Ok, or NotHtml when
    // nothing could be parsed, TooLarge beyond what the parser takes.
    int read(std::string_view bytes, Ref& parent);

    std::size_t folders() const { return folders_; }
    std::size_t bookmarks() const { return bookmarks_; }
    // Bookmarks left out: addresses without a host (javascript:, place: ...).
    std::size_t skipped() const { return skipped_; }

private:
    DDoc& doc_;
    std::size_t folders_ = 0;
    std::size_t bookmarks_ = 0;
    std::size_t skipped_ = 0;
};

} // namespace qx
