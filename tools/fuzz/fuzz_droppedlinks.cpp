// What other programs drop and paste comes from anywhere: every byte sequence
// must read as links with non-empty addresses free of line breaks, and every
// title must give a file name of at most 255 bytes with no "/" or NUL.
#include "exchange/InternetShortcut.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void check(const std::vector<qx::exchange::DroppedLink>& links) {
    for (const qx::exchange::DroppedLink& link : links) {
        if (link.url.empty() || link.url.find_first_of("\r\n") != std::string::npos)
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    check(qx::exchange::parseUriList(bytes));
    check(qx::exchange::parseMozUrl(bytes));
    const std::string url = qx::exchange::InternetShortcut::urlOf(bytes);
    if (url.find_first_of("\r\n") != std::string::npos)
        std::abort();
    const std::string name = qx::exchange::InternetShortcut::fileName(bytes);
    if (name.size() > 255 || name.find('/') != std::string::npos ||
        name.find('\0') != std::string::npos)
        std::abort();
    return 0;
}
