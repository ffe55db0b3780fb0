#pragma once

#include "stream/wstreambuf.h"

#include <cstdint>

namespace qx {

// Reads and writes a caller's block of memory, which it does not own. Writes
// stay inside the block. A position past the end is allowed; reading or
// writing there fails.
class memwstreambuf : public wstreambuf {
public:
    // Empty and not open.
    memwstreambuf() = default;
    memwstreambuf(void* block, int size);

    bool isopen() const override;
    int maxblock() const override;
    int read(void* dst, int n) override;
    int write(const void* src, int n) override;
    int seek(int offset, int origin) override;

    // The block and the size of the data in it.
    const char* data() const { return block_; }
    int size() const { return size_; }

protected:
    // The room left at the position: -1 when the position is outside the data.
    std::int64_t available() const;

    char* block_ = nullptr;
    std::int64_t position_ = 0;
    int size_ = 0;
};

} // namespace qx
