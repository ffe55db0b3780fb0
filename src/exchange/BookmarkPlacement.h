#pragma once

#include <cstddef>
#include <string_view>

namespace qx {

class BookmarkTree;
class DDoc;
class Ref;

// Puts bookmarks that were read whole into a document: folders become
// organizer folders, bookmarks references to their pages, filed in the domain
// tree and joined with a page of the same address that is already there. A
// page that is there keeps its title, date and comment; the bookmark only
// fills in what it lacks.
class BookmarkPlacement {
public:
    explicit BookmarkPlacement(DDoc& doc);

    // Everything, at the end of parent.
    void addall(const BookmarkTree& tree, Ref& parent);
    // Only the bookmarks whose folder path (from folder down) and address are
    // not yet under folder, and the folders they need: a source imported
    // again adds what is new in it, and what the user deleted here comes back.
    void addmissing(const BookmarkTree& tree, Ref& folder);

    // The folder of that name among the top-level nodes of the organizer
    // tree, made at the end when there is none.
    static Ref& topfolder(DDoc& doc, std::string_view name);

    std::size_t folders() const { return folders_; }
    std::size_t bookmarks() const { return bookmarks_; }
    // Bookmarks that were there already.
    std::size_t present() const { return present_; }
    // Bookmarks the domain tree would not take.
    std::size_t refused() const { return refused_; }

private:
    void place(const BookmarkTree& tree, Ref& parent, bool onlymissing);

    DDoc& doc_;
    std::size_t folders_ = 0;
    std::size_t bookmarks_ = 0;
    std::size_t present_ = 0;
    std::size_t refused_ = 0;
};

} // namespace qx
