#pragma once

#include <string_view>

namespace qx {

class BookmarkTree;

// Reads an XBEL 1.0 document (the XML bookmark exchange language of the
// Linux desktop): folders with their titles, bookmarks with href, title,
// desc and the date added (modified when there is no added); separators,
// aliases and metadata are left out. Read as a stream of libxml2's events,
// never loading the DTD or anything else the document points at.
class XbelImport {
public:
    enum : int { Ok = 0, NotXml = 1, NotXbel = 2, TooLarge = 3 };

    // Ok; NotXml for bytes that are not one well-formed XML document (a
    // truncated file), NotXbel for another root element. On failure the tree
    // may hold part of the file: its caller throws it away.
    static int read(std::string_view bytes, BookmarkTree& tree);
};

} // namespace qx
