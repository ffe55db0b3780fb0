#include "stream/owstream.h"

#include <cstring>

namespace qx {

owstream::owstream(wstreambuf* buf) : wstream(buf) {}

int owstream::write(const void* src, int n) {
    if (!usable() || n <= 0)
        return 0;
    int put = rdbuf()->write(src, n);
    if (put == -1)
        setstate(failbit);
    else if (put < n)
        setstate(eofbit);
    return put;
}

int owstream::hwrite(const void* src, int n) {
    if (!usable() || n <= 0)
        return 0;
    int put = rdbuf()->hwrite(src, n);
    if (put == -1)
        setstate(failbit);
    else if (put < n)
        setstate(eofbit);
    return put;
}

owstream& owstream::put8(std::uint8_t value) {
    write(&value, 1);
    return *this;
}

owstream& owstream::put16(std::uint16_t value) {
    std::uint8_t b[2] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)};
    write(b, 2);
    return *this;
}

owstream& owstream::put32(std::uint32_t value) {
    std::uint8_t b[4];
    for (int i = 0; i < 4; ++i, value >>= 8)
        b[i] = static_cast<std::uint8_t>(value);
    write(b, 4);
    return *this;
}

owstream& owstream::put64(std::uint64_t value) {
    std::uint8_t b[8];
    for (int i = 0; i < 8; ++i, value >>= 8)
        b[i] = static_cast<std::uint8_t>(value);
    write(b, 8);
    return *this;
}

owstream& owstream::putline(const char* text, int n) {
    if (text) {
        std::size_t length = n < 0 ? std::strlen(text) : static_cast<std::size_t>(n);
        write(text, static_cast<int>(length));
    }
    write("\r\n", 2);
    return *this;
}

owstream& operator<<(owstream& out, const Str& text) {
    std::size_t length = text.length() > kMaxStreamText ? kMaxStreamText : text.length();
    out.put16(static_cast<std::uint16_t>(length));
    if (length > 0)
        out.write(text.get(), static_cast<int>(length));
    return out;
}

} // namespace qx
