#include "stream/otmwstream.h"

#include "stream/mwstreambuf.h"

namespace qx {

otmwstream::otmwstream(int step) {
    auto mem = std::make_unique<mwstreambuf>(step);
    mem_ = mem.get();
    adopt(std::move(mem));
}

otmwstream::otmwstream(void* block, int size) {
    auto mem = std::make_unique<memwstreambuf>(block, size);
    mem_ = mem.get();
    adopt(std::move(mem));
}

} // namespace qx
