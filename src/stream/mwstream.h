#pragma once

#include "stream/iowstream.h"
#include "stream/mwstreambuf.h"

namespace qx {

// Input and output over a growable block of memory it owns. The data written
// is buffer().data() .. + buffer().size().
class mwstream : public iowstream {
public:
    explicit mwstream(int step = 0);

    const mwstreambuf& buffer() const { return *mem_; }

private:
    mwstreambuf* mem_;
};

} // namespace qx
