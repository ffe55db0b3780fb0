#include "stream/ofwstream.h"

namespace qx {

ofwstream::ofwstream(const char* path, bool create)
    : wstream(), ofbwstream(path, kBufferSize, create) {}

} // namespace qx
