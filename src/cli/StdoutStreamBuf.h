#pragma once

#include "stream/wstreambuf.h"

namespace qx::cli {

// A transport to the standard output, through the C library's buffer: the
// dumps write many small pieces.
class StdoutStreamBuf : public wstreambuf {
public:
    int write(const void* src, int n) override;
    // The standard output may be a pipe: no positions.
    int seek(int offset, int origin) override;
    // Writes out what the C library still holds: false when that failed.
    bool flush();
};

} // namespace qx::cli
