#pragma once

#include "stream/memwstreambuf.h"
#include "stream/otwstream.h"

namespace qx {

// Text output to memory: a growable block it owns, or a caller's fixed block.
class otmwstream : public otwstream {
public:
    explicit otmwstream(int step = 0);
    otmwstream(void* block, int size);

    // The memory under the stream; tell() says how much of it was written.
    const memwstreambuf& buffer() const { return *mem_; }

private:
    memwstreambuf* mem_;
};

} // namespace qx
