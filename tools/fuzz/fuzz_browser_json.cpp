// A Bookmarks file of the Chromium family comes from any profile, damaged or
// written by anything: the reader must take every byte sequence, build only
// items whose parents come before them, and place them into a document.
#include "exchange/BookmarkPlacement.h"
#include "exchange/BookmarkTree.h"
#include "exchange/ChromiumBookmarks.h"
#include "model/DDoc.h"
#include "model/RefRoot.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qx::BookmarkTree tree;
    const int result = qx::ChromiumBookmarks::read(
        std::string_view(reinterpret_cast<const char*>(data), size), tree);
    const auto& items = tree.items();
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::uint32_t parent = items[i].parent;
        if (parent != qx::BookmarkTree::kTop && (parent >= i || !items[parent].folder))
            __builtin_trap();
        if (items[i].title.size() > qx::BookmarkTree::kMaxTitle)
            __builtin_trap();
    }
    if (result == qx::ChromiumBookmarks::Ok) {
        qx::DDoc doc;
        qx::BookmarkPlacement placement(doc);
        placement.addmissing(tree, qx::BookmarkPlacement::topfolder(doc, "Chromium: Default"));
        // Placed twice, the second adds nothing.
        qx::BookmarkPlacement again(doc);
        again.addmissing(tree, qx::BookmarkPlacement::topfolder(doc, "Chromium: Default"));
        if (again.bookmarks() != 0)
            __builtin_trap();
    }
    return 0;
}
