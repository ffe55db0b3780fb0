#include "lang/TextFormat.h"

#include "platform/TextLimit.h"
#include "platform/Utf8.h"

#include <algorithm>

namespace qx {

namespace {

constexpr std::size_t kMaxWidth = 1024;

struct Field {
    bool left = false;
    bool zero = false;
    bool alternate = false;
    std::size_t width = 0;
    bool hasPrecision = false;
    std::size_t precision = 0;
};

std::size_t readNumber(std::string_view f, std::size_t& i) {
    std::size_t n = 0;
    while (i < f.size() && f[i] >= '0' && f[i] <= '9') {
        n = std::min(n * 10 + static_cast<std::size_t>(f[i] - '0'), kMaxWidth);
        ++i;
    }
    return n;
}

// Characters as a reader sees them: UTF-8 continuation bytes do not count.
std::size_t displayLength(std::string_view s) {
    return static_cast<std::size_t>(std::count_if(
        s.begin(), s.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

void pad(std::string& out, std::string_view prefix, std::string_view body, const Field& field) {
    std::size_t length = displayLength(prefix) + displayLength(body);
    std::size_t fill = field.width > length ? field.width - length : 0;
    if (field.left) {
        out.append(prefix).append(body).append(fill, ' ');
    } else if (field.zero) {
        out.append(prefix).append(fill, '0').append(body);
    } else {
        out.append(fill, ' ').append(prefix).append(body);
    }
}

std::string digits(std::uint64_t v, unsigned base, bool upper) {
    const char* set = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    std::string s;
    do {
        s.insert(s.begin(), set[v % base]);
        v /= base;
    } while (v != 0);
    return s;
}

void formatInteger(std::string& out, char conversion, const FormatArg* arg, const Field& field) {
    bool negative = false;
    std::uint64_t magnitude = 0;
    if (arg && !arg->isText()) {
        if ((conversion == 'd' || conversion == 'i') && arg->isSigned() && arg->asSigned() < 0) {
            negative = true;
            magnitude = 0 - static_cast<std::uint64_t>(arg->asSigned());
        } else {
            magnitude = arg->asUnsigned();
        }
    }
    bool hex = conversion == 'x' || conversion == 'X';
    std::string body = digits(magnitude, hex ? 16 : 10, conversion == 'X');
    if (field.hasPrecision && body.size() < field.precision)
        body.insert(0, field.precision - body.size(), '0');
    std::string prefix = negative ? "-" : "";
    if (hex && field.alternate && magnitude != 0)
        prefix = conversion == 'X' ? "0X" : "0x";
    Field s = field;
    s.zero = field.zero && !field.hasPrecision;
    pad(out, prefix, body, s);
}

void formatString(std::string& out, const FormatArg* arg, const Field& field) {
    std::string body;
    if (arg && arg->isText())
        body = arg->text();
    else if (arg)
        body =
            arg->isSigned() ? std::to_string(arg->asSigned()) : std::to_string(arg->asUnsigned());
    if (field.hasPrecision)
        platform::limitText(body, field.precision);
    Field s = field;
    s.zero = false;
    pad(out, "", body, s);
}

void formatChar(std::string& out, const FormatArg* arg, const Field& field) {
    std::string body;
    if (arg && arg->isText())
        body = arg->text().substr(0, 1);
    else if (arg)
        platform::appendUtf8(body, arg->asUnsigned());
    Field s = field;
    s.zero = false;
    pad(out, "", body, s);
}

} // namespace

std::int64_t FormatArg::asSigned() const {
    return value_;
}

std::uint64_t FormatArg::asUnsigned() const {
    std::uint64_t v = static_cast<std::uint64_t>(value_);
    return bits_ == 32 ? (v & 0xFFFFFFFFu) : v;
}

std::string formatText(std::string_view f, std::span<const FormatArg> args) {
    std::string out;
    std::size_t nextArg = 0;
    auto takeArg = [&]() -> const FormatArg* {
        return nextArg < args.size() ? &args[nextArg++] : nullptr;
    };
    std::size_t i = 0;
    while (i < f.size()) {
        char c = f[i++];
        if (c != '%') {
            out += c;
            continue;
        }
        Field field;
        for (; i < f.size(); ++i) {
            if (f[i] == '-')
                field.left = true;
            else if (f[i] == '0')
                field.zero = true;
            else if (f[i] == '#')
                field.alternate = true;
            else
                break;
        }
        field.width = readNumber(f, i);
        if (i < f.size() && f[i] == '.') {
            ++i;
            field.hasPrecision = true;
            field.precision = readNumber(f, i);
        }
        if (f.substr(i, 3) == "I64")
            i += 3;
        while (i < f.size() && (f[i] == 'l' || f[i] == 'h'))
            ++i;
        if (i >= f.size())
            break;
        char conversion = f[i++];
        switch (conversion) {
        case 'd':
        case 'i':
        case 'u':
        case 'x':
        case 'X':
            formatInteger(out, conversion, takeArg(), field);
            break;
        case 's':
        case 'S':
            formatString(out, takeArg(), field);
            break;
        case 'c':
        case 'C':
            formatChar(out, takeArg(), field);
            break;
        default: // "%%", and any unknown conversion, stands for its own character
            out += conversion;
            break;
        }
    }
    return out;
}

} // namespace qx
