#pragma once

#include "stream/iowstream.h"
#include "stream/memwstreambuf.h"

namespace qx {

// Input and output over a caller's block of memory of a fixed size.
class memwstream : public iowstream {
public:
    memwstream(void* block, int size);

    const memwstreambuf& buffer() const { return *mem_; }

private:
    memwstreambuf* mem_;
};

} // namespace qx
