#include "stream/ifwstream.h"

namespace qx {

ifwstream::ifwstream(const char* path) : wstream(), ifbwstream(path, kBufferSize) {}

} // namespace qx
