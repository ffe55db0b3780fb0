// Content-Type values come from any server: every byte sequence must parse,
// giving a media type that is one of the value's items and a known code.
#include "model/Charset.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view value(reinterpret_cast<const char*>(data), size);
    qx::Str media;
    std::uint32_t charset = 99;
    qx::Charset::parsecontenttype(value, media, charset);
    if (charset > qx::Charset::Iso8859_5) {
        std::abort(); // the header table knows codes 1 to 4 only
    }
    if (media.view().find_first_of("; =") != std::string_view::npos ||
        value.find(media.view()) == std::string_view::npos) {
        std::abort();
    }
    (void)qx::Charset::fromresult(value);
    return 0;
}
