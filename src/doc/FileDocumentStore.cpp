#include "doc/FileDocumentStore.h"

#include "model/DDoc.h"
#include "settings/AtomicFile.h"
#include "stream/ifbwstream.h"
#include "stream/mwstream.h"

#include <string_view>

namespace qx::doc {

namespace {
constexpr int kReadBuffer = 64 * 1024;
constexpr int kGrowthStep = 256 * 1024;
} // namespace

int FileDocumentStore::read(DDoc& model, const std::string& path) {
    ifbwstream in(path.c_str(), kReadBuffer);
    if (!in.good())
        return 1;
    return model.read(in);
}

int FileDocumentStore::write(DDoc& model, const std::string& path) {
    mwstream out(kGrowthStep);
    if (int result = model.write(out))
        return result;
    if (!out.good())
        return 1;
    const std::string_view bytes(out.buffer().data(),
                                 static_cast<std::size_t>(out.buffer().size()));
    return AtomicFile::replace(path, bytes) == 0 ? 0 : 1;
}

} // namespace qx::doc
