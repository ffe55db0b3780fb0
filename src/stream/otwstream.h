#pragma once

#include "stream/owstream.h"

#include <cstdint>

namespace qx {

// Text output, unbuffered: each piece goes to the transport in one write. The
// model's debug dumps are written through it.
class otwstream : public owstream {
public:
    explicit otwstream(wstreambuf* buf);

    // n bytes of text (n = -1: up to its terminator); a null text writes nothing.
    otwstream& puts(const char* text, int n = -1);
    otwstream& puts(const Str& text);
    // Digits in the radix (2..36, lower-case letters above 9), no padding; a
    // radix outside that range counts as 10.
    otwstream& putint(std::int32_t value, int radix = 10);
    otwstream& putuint(std::uint32_t value, int radix = 10);
    // An address in hexadecimal with a "0x" prefix.
    otwstream& putptr(const void* address);
    // A line end: CR LF.
    otwstream& endl();
    // levels steps of indentation, two blanks each.
    otwstream& indent(int levels = 1);

protected:
    otwstream() = default;

private:
    otwstream& putdigits(std::uint64_t value, int radix, bool negative);
};

} // namespace qx
