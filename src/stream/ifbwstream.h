#pragma once

#include "stream/ibwstream.h"

namespace qx {

// Buffered input from a file, with a buffer of the caller's size. A missing
// file gives a stream with badbit that reads 0 bytes.
class ifbwstream : public ibwstream {
public:
    ifbwstream(const char* path, int bufsize);
};

} // namespace qx
