#include "stream/wstreambuf.h"

namespace qx {

bool wstreambuf::isopen() const {
    return true;
}

int wstreambuf::maxblock() const {
    return -2;
}

int wstreambuf::read(void* dst, int n) {
    return hread(dst, n);
}

int wstreambuf::hread(void* dst, int n) {
    return read(dst, n);
}

int wstreambuf::write(const void* src, int n) {
    return hwrite(src, n);
}

int wstreambuf::hwrite(const void* src, int n) {
    return write(src, n);
}

int wstreambuf::tell() {
    return seek(0, 1);
}

} // namespace qx
