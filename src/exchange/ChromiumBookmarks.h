#pragma once

#include <string_view>

namespace qx {

class BookmarkTree;

// Reads the bookmark store of the Chromium family (Chromium, Google Chrome,
// Brave, Vivaldi, Microsoft Edge): the JSON file "Bookmarks" of a profile.
// Its "roots" bookmark_bar, other and synced become folders (left out when
// empty) holding their folders and urls in order; date_added, microseconds
// since 1601, is a bookmark's date. The file is read as a stream of JSON
// events, so no nesting and no size costs more than the tree it builds.
class ChromiumBookmarks {
public:
    enum : int { Ok = 0, NotJson = 1, NoRoots = 2 };

    // Ok, NotJson for bytes that are not one whole JSON text (a truncated
    // file), NoRoots for JSON without "roots". On failure the tree may hold
    // part of the file: its caller throws it away.
    static int read(std::string_view bytes, BookmarkTree& tree);
};

} // namespace qx
