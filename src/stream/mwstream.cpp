#include "stream/mwstream.h"

namespace qx {

mwstream::mwstream(int step) {
    auto mem = std::make_unique<mwstreambuf>(step);
    mem_ = mem.get();
    adopt(std::move(mem));
}

} // namespace qx
