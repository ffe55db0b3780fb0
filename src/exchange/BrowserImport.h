#pragma once

#include "exchange/BookmarkTree.h"
#include "exchange/BrowserProfiles.h"

#include <cstddef>
#include <string>
#include <vector>

namespace qx {

class DDoc;

// Imports the bookmarks of a browser profile into a document, under a
// top-level folder named after the browser and the profile. The whole store
// is read first; only when that worked does the document change, so a
// truncated or damaged store leaves it as it was. Importing the same profile
// again adds only what is not under its folder yet.
class BrowserImport {
public:
    enum : int {
        Ok = 0,
        // No store in the folder, or a store without a single bookmark.
        NoBookmarks = 1,
        // The store could not be read (message() has the system's reason).
        Unreadable = 2,
        // Truncated or damaged JSON or database, or not a bookmark store.
        Damaged = 3,
    };

    // The largest Bookmarks file taken (a store of a million bookmarks is
    // about 300 MB).
    static constexpr std::size_t kMaxJson = std::size_t(1) << 30;

    // Reads a profile found by BrowserProfiles.
    int read(const BrowserProfile& profile);
    // Reads what a path names: a profile folder (with a places.sqlite or a
    // Bookmarks file), a Bookmarks file or a places.sqlite, told apart by
    // content. The folder is named after the profile of known that has this
    // file, else after the browser family and the folder the file is in.
    int read(const std::string& path, const std::vector<BrowserProfile>& known);

    // Puts what was read into the document; false when nothing was read.
    bool place(DDoc& doc);

    const BookmarkTree& tree() const { return tree_; }
    // "Firefox ESR: default-esr".
    const std::string& foldername() const { return foldername_; }
    // Why a read failed, in a line.
    const std::string& message() const { return message_; }
    std::size_t added() const { return added_; }
    std::size_t present() const { return present_; }
    // Bookmarks without a web address, left out.
    std::size_t skipped() const { return skipped_; }

private:
    int readstore(BrowserProfile::Store store, const std::string& file);
    int fail(int code, const std::string& message);

    BookmarkTree tree_;
    bool read_ = false;
    std::string foldername_;
    std::string message_;
    std::size_t added_ = 0;
    std::size_t present_ = 0;
    std::size_t skipped_ = 0;
};

} // namespace qx
