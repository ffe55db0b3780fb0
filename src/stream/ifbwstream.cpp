#include "stream/ifbwstream.h"

#include "stream/fwstreambuf.h"

namespace qx {

ifbwstream::ifbwstream(const char* path, int bufsize) : ibwstream(bufsize) {
    adopt(std::make_unique<ifwstreambuf>(path));
}

} // namespace qx
