#pragma once

#include "platform/SystemError.h"

#include <string>

namespace qx {

class BookmarkTree;

// Reads the bookmarks of a Firefox profile (Firefox, Firefox ESR, LibreWolf)
// from its places.sqlite: moz_bookmarks joined with moz_places, folders by
// parent, in the order of position; separators and the tags folder are left
// out, and the roots (menu, toolbar, other, mobile) become folders when they
// hold anything. dateAdded, microseconds since 1970, is a bookmark's date.
//
// A running Firefox holds its database open and keeps its latest writes in
// the write-ahead log beside it (places.sqlite-wal) until a checkpoint. So
// the database is never opened where it lies: it and its log are copied into
// a private folder and read there, which takes no lock of the browser's,
// sees what the browser wrote last, and cannot disturb it.
class FirefoxPlaces {
public:
    enum : int { Ok = 0, NoFile = 1, CannotCopy = 2, NotDatabase = 3, NotPlaces = 4 };

    // Ok or why not; on failure the tree may hold part of the bookmarks
    // (its caller throws it away) and message() says more.
    int read(const std::string& path, BookmarkTree& tree);

    // The system error of CannotCopy; the database's own text otherwise.
    platform::SysError error() const { return error_; }
    const std::string& message() const { return message_; }

private:
    platform::SysError error_ = 0;
    std::string message_;
};

} // namespace qx
