#pragma once

#include "stream/Str.h"
#include "stream/wstream.h"

#include <cstdint>

namespace qx {

// Unbuffered output: writes go straight to the transport. A -1 from the
// transport sets failbit, a short count eofbit.
class owstream : public virtual wstream {
public:
    explicit owstream(wstreambuf* buf);

    // Bytes written, 0 without a transport, -1 on a transport error.
    virtual int write(const void* src, int n);
    virtual int hwrite(const void* src, int n);

    // Little-endian values.
    owstream& put8(std::uint8_t value);
    owstream& put16(std::uint16_t value);
    owstream& put32(std::uint32_t value);
    owstream& put64(std::uint64_t value);

    // n bytes of text (n = -1: up to its terminator; null: none), then CR LF.
    owstream& putline(const char* text, int n = -1);

protected:
    owstream() = default;
};

// The longest text the stream form keeps; longer texts are cut to it.
inline constexpr std::size_t kMaxStreamText = 0xFFFE;

// A text in its stream form: 16-bit length and the bytes; an empty text is
// length 0 alone, a text longer than kMaxStreamText is cut to it.
owstream& operator<<(owstream& out, const Str& text);

} // namespace qx
