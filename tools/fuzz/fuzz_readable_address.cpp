// The status bar shows any stored address for reading: decoding must take
// every byte sequence, never grow an address by more than its escapes, and
// never let a raw control or direction character through.
#include "net/ReadableAddress.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string shown =
        qx::readableAddress(std::string_view(reinterpret_cast<const char*>(data), size));
    if (shown.size() > 3 * size)
        __builtin_trap();
    for (const char c : shown) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F)
            __builtin_trap();
    }
    if (shown.find("\xE2\x80\xAE") != std::string::npos)
        __builtin_trap();
    return 0;
}
