// Content-Type values and charset names come from web servers and search
// results: parsing them must survive any bytes and give only known codes.
#include "model/Charset.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view value(reinterpret_cast<const char*>(data), size);
    qx::Str mediatype;
    std::uint32_t charset = 0;
    qx::Charset::parsecontenttype(value, mediatype, charset);
    if (charset > qx::Charset::Iso8859_1 || mediatype.length() > size)
        __builtin_trap();
    if (qx::Charset::fromresult(value) > qx::Charset::Iso8859_1 ||
        qx::Charset::fromheader(value) > qx::Charset::Iso8859_1)
        __builtin_trap();
    return 0;
}
