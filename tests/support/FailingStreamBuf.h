#pragma once

#include "stream/mwstreambuf.h"

namespace qx::test {

// A growable memory transport that takes only the first `limit` bytes of the
// stream: a write reaching past them stores what fits and returns the short
// count, or -1 when nothing fits, as a full disk does. Reading works as usual.
class FailingStreamBuf : public mwstreambuf {
public:
    explicit FailingStreamBuf(int limit) : mwstreambuf(64), limit_(limit) {}

    int write(const void* src, int n) override;

private:
    int limit_;
};

} // namespace qx::test
