// Bookmark files come from any browser or any download: the importer must
// take every byte sequence, and whatever it builds must export again.
#include "exchange/BookmarkExport.h"
#include "exchange/BookmarkImport.h"
#include "model/DDoc.h"
#include "model/RefRoot.h"
#include "stream/mwstream.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qx::DDoc doc;
    qx::BookmarkImport import(doc);
    import.read(std::string_view(reinterpret_cast<const char*>(data), size), doc.orgroot());
    std::vector<const qx::Ref*> nodes;
    for (qx::Tree* n = doc.orgroot().firstchild(); n; n = n->nextsibling())
        nodes.push_back(static_cast<const qx::Ref*>(n));
    qx::mwstream out;
    qx::BookmarkExport bookmarks;
    bookmarks.write(out, nodes);
    if (!out.good() && import.bookmarks() + import.folders() > 0)
        __builtin_trap();
    return 0;
}
