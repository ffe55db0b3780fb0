// Documents arrive as files and from the clipboard: reading must survive any
// bytes. A document that does load must also write out and read back to the
// same bytes, so that what the reader accepted is something the format can
// hold.
#include "model/DDoc.h"
#include "stream/memwstream.h"
#include "stream/mwstream.h"

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

std::vector<char> written(qx::DDoc& doc) {
    qx::mwstream out(4096);
    if (doc.write(out) != 0)
        __builtin_trap();
    const char* data = out.buffer().data();
    return std::vector<char>(data, data + out.buffer().size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > INT_MAX)
        return 0;
    std::vector<char> bytes(data, data + size);
    qx::memwstream in(bytes.data(), static_cast<int>(size));
    qx::DDoc doc;
    if (doc.read(in) != 0)
        return 0;
    std::vector<char> first = written(doc);
    qx::memwstream again(first.data(), static_cast<int>(first.size()));
    qx::DDoc copy;
    if (copy.read(again) != 0 || written(copy) != first)
        __builtin_trap();
    return 0;
}
