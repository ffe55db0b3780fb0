#include "stream/otwstream.h"

#include <cstring>

namespace qx {

otwstream::otwstream(wstreambuf* buf) : wstream(buf) {}

otwstream& otwstream::puts(const char* text, int n) {
    if (text)
        write(text, n < 0 ? static_cast<int>(std::strlen(text)) : n);
    return *this;
}

otwstream& otwstream::puts(const Str& text) {
    return puts(text.get(), static_cast<int>(text.length()));
}

otwstream& otwstream::putdigits(std::uint64_t value, int radix, bool negative) {
    if (radix < 2 || radix > 36)
        radix = 10;
    char text[72];
    char* p = text + sizeof text;
    do {
        *--p = "0123456789abcdefghijklmnopqrstuvwxyz"[value % static_cast<unsigned>(radix)];
        value /= static_cast<unsigned>(radix);
    } while (value != 0);
    if (negative)
        *--p = '-';
    return puts(p, static_cast<int>(text + sizeof text - p));
}

otwstream& otwstream::putint(std::int32_t value, int radix) {
    // Widened first: the magnitude of INT32_MIN does not fit an int32.
    std::int64_t wide = value;
    return putdigits(static_cast<std::uint64_t>(wide < 0 ? -wide : wide), radix, wide < 0);
}

otwstream& otwstream::putuint(std::uint32_t value, int radix) {
    return putdigits(value, radix, false);
}

otwstream& otwstream::putptr(const void* address) {
    puts("0x", 2);
    return putdigits(reinterpret_cast<std::uintptr_t>(address), 16, false);
}

otwstream& otwstream::endl() {
    return puts("\r\n", 2);
}

otwstream& otwstream::indent(int levels) {
    for (int i = 0; i < levels; ++i)
        puts("  ", 2);
    return *this;
}

} // namespace qx
