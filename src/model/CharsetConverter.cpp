#include "model/CharsetConverter.h"

#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace qx {

namespace {

const iconv_t kClosed = reinterpret_cast<iconv_t>(-1);
constexpr char kReplacement[] = "\xEF\xBF\xBD";

// The length of the well-formed UTF-8 sequence at the start of text, or 0.
std::size_t sequencelength(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 0;
    }
    return length;
}

} // namespace

CharsetConverter::CharsetConverter() {
    for (void*& handle : handles_)
        handle = kClosed;
}

CharsetConverter::~CharsetConverter() {
    for (void* handle : handles_) {
        if (handle != kClosed)
            iconv_close(static_cast<iconv_t>(handle));
    }
}

bool CharsetConverter::ascii(std::string_view text) {
    // Eight bytes at a time: exports test every title and address.
    constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + i, sizeof word);
        if (word & kHighBits)
            return false;
    }
    for (; i < text.size(); ++i) {
        if (static_cast<unsigned char>(text[i]) >= 0x80)
            return false;
    }
    return true;
}

const char* CharsetConverter::iconvname(std::uint32_t charset) {
    static const char* const kNames[kCodes] = {nullptr,  "WINDOWS-1251", "IBM866",
                                               "KOI8-R", "ISO-8859-5",   "ISO-8859-1"};
    return charset < kCodes ? kNames[charset] : nullptr;
}

std::string CharsetConverter::toutf8(std::string_view text, std::uint32_t charset) {
    std::string out;
    appendutf8(text, charset, out);
    return out;
}

std::string_view CharsetConverter::asutf8(std::string_view text, std::uint32_t charset,
                                          std::string& scratch) {
    if (ascii(text))
        return text;
    scratch.clear();
    appendutf8(text, charset, scratch);
    return scratch;
}

void CharsetConverter::appendutf8(std::string_view text, std::uint32_t charset, std::string& out) {
    // Every code page here keeps ASCII as it is, and most titles are ASCII.
    if (ascii(text)) {
        out.append(text);
    } else if (iconvname(charset)) {
        appendconverted(text, charset, out);
    } else {
        appendvalidutf8(text, out);
    }
}

void CharsetConverter::appendvalidutf8(std::string_view text, std::string& out) {
    while (!text.empty()) {
        const std::size_t length = sequencelength(text);
        if (length == 0) {
            out.append(kReplacement);
            text.remove_prefix(1);
        } else {
            out.append(text.substr(0, length));
            text.remove_prefix(length);
        }
    }
}

void CharsetConverter::appendconverted(std::string_view text, std::uint32_t charset,
                                       std::string& out) {
    iconv_t& handle = reinterpret_cast<iconv_t&>(handles_[charset]);
    if (handle == kClosed)
        handle = iconv_open("UTF-8", iconvname(charset));
    if (handle == kClosed) {
        appendvalidutf8(text, out);
        return;
    }
    iconv(handle, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(text.data());
    std::size_t inleft = text.size();
    char buffer[1024];
    while (inleft > 0) {
        char* to = buffer;
        std::size_t toleft = sizeof buffer;
        const std::size_t result = iconv(handle, &in, &inleft, &to, &toleft);
        out.append(buffer, static_cast<std::size_t>(to - buffer));
        // A byte the code page does not map (none of these single-byte pages
        // leaves a sequence incomplete) is replaced and skipped.
        if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
            out.append(kReplacement);
            ++in;
            --inleft;
        }
    }
}

} // namespace qx
