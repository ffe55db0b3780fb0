#pragma once

#include "stream/memwstreambuf.h"

namespace qx {

// A growable block of memory it owns. Writing past the end grows the data;
// the block grows in multiples of the growth step.
class mwstreambuf : public memwstreambuf {
public:
    // step 0: the block grows exactly to the data.
    explicit mwstreambuf(int step = 0);
    ~mwstreambuf() override;

    int write(const void* src, int n) override;

    int capacity() const { return capacity_; }

private:
    int capacity_ = 0;
    int step_;
};

} // namespace qx
