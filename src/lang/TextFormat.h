#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace qx {

// One argument of a formatted text: a number or a text. The formatter knows
// what it was given, so a format that asks for more or other arguments than
// the caller passed can never read past them.
class FormatArg {
public:
    FormatArg(int v) : FormatArg(static_cast<std::int64_t>(v), true, 32) {}
    FormatArg(long v) : FormatArg(static_cast<std::int64_t>(v), true, 8 * sizeof v) {}
    FormatArg(long long v) : FormatArg(static_cast<std::int64_t>(v), true, 64) {}
    FormatArg(unsigned v) : FormatArg(static_cast<std::int64_t>(v), false, 32) {}
    FormatArg(unsigned long v) : FormatArg(static_cast<std::int64_t>(v), false, 8 * sizeof v) {}
    FormatArg(unsigned long long v) : FormatArg(static_cast<std::int64_t>(v), false, 64) {}
    FormatArg(const char* s) : text_(s ? s : ""), isText_(true) {}
    FormatArg(std::string_view s) : text_(s), isText_(true) {}
    FormatArg(const std::string& s) : text_(s), isText_(true) {}

    bool isText() const { return isText_; }
    std::string_view text() const { return text_; }
    // The value as the signed conversions see it.
    std::int64_t asSigned() const;
    // The value as the unsigned conversions see it: a negative number in the
    // two's complement of its own width.
    std::uint64_t asUnsigned() const;
    bool isSigned() const { return signed_; }

private:
    FormatArg(std::int64_t v, bool isSigned, unsigned bits)
        : value_(v), bits_(bits), signed_(isSigned) {}

    std::int64_t value_ = 0;
    unsigned bits_ = 32;
    bool signed_ = true;
    std::string_view text_;
    bool isText_ = false;
};

// Formats like wsprintf: %s %d %i %u %x %X %c and %%, with the flags "-", "0"
// and "#", a width and a precision; the size prefixes l, ll, h and I64 are
// accepted and ignored. A missing argument formats as 0 or an empty text; a
// text given for a number formats as 0 and a number given for %s as its
// decimal digits. Widths and precisions are capped, so that no format can ask
// for a huge output.
std::string formatText(std::string_view format, std::span<const FormatArg> args);

} // namespace qx
