#include "stream/otfwstream.h"

#include "stream/fwstreambuf.h"

namespace qx {

otfwstream::otfwstream(const char* path, bool create) {
    adopt(std::make_unique<ofwstreambuf>(path, create));
}

} // namespace qx
