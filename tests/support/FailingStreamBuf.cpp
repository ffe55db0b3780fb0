#include "FailingStreamBuf.h"

namespace qx::test {

int FailingStreamBuf::write(const void* src, int n) {
    int at = tell();
    if (at < 0 || at >= limit_)
        return -1;
    return mwstreambuf::write(src, n < limit_ - at ? n : limit_ - at);
}

} // namespace qx::test
