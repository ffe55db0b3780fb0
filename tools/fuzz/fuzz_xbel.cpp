// XBEL files come from any program: the reader must take every byte sequence,
// and whatever it read must export as XBEL that reads back the same.
#include "exchange/BookmarkPlacement.h"
#include "exchange/BookmarkTree.h"
#include "exchange/XbelExport.h"
#include "exchange/XbelImport.h"
#include "model/DDoc.h"
#include "model/RefRoot.h"
#include "stream/mwstream.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::string exported(qx::DDoc& doc) {
    std::vector<const qx::Ref*> nodes;
    for (qx::Tree* n = doc.orgroot().firstchild(); n; n = n->nextsibling())
        nodes.push_back(static_cast<const qx::Ref*>(n));
    qx::mwstream out;
    qx::XbelExport xbel;
    xbel.write(out, nodes);
    return std::string(out.buffer().data(), static_cast<std::size_t>(out.buffer().size()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qx::BookmarkTree tree;
    if (qx::XbelImport::read(std::string_view(reinterpret_cast<const char*>(data), size), tree) !=
        qx::XbelImport::Ok)
        return 0;
    qx::DDoc doc;
    qx::BookmarkPlacement(doc).addall(tree, doc.orgroot());
    const std::string first = exported(doc);
    qx::BookmarkTree back;
    if (qx::XbelImport::read(first, back) != qx::XbelImport::Ok)
        __builtin_trap();
    qx::DDoc again;
    qx::BookmarkPlacement(again).addall(back, again.orgroot());
    if (exported(again) != first)
        __builtin_trap();
    return 0;
}
