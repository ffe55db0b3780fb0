#include "stream/memwstream.h"

namespace qx {

memwstream::memwstream(void* block, int size) {
    auto mem = std::make_unique<memwstreambuf>(block, size);
    mem_ = mem.get();
    adopt(std::move(mem));
}

} // namespace qx
