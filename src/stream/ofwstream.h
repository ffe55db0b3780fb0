#pragma once

#include "stream/ofbwstream.h"

namespace qx {

// Buffered output to a file with a small buffer.
class ofwstream : public ofbwstream {
public:
    static constexpr int kBufferSize = 512;
    explicit ofwstream(const char* path, bool create = true);
};

} // namespace qx
