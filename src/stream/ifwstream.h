#pragma once

#include "stream/ifbwstream.h"

namespace qx {

// Buffered input from a file with a small buffer.
class ifwstream : public ifbwstream {
public:
    static constexpr int kBufferSize = 512;
    explicit ifwstream(const char* path);
};

} // namespace qx
