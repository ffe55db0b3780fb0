// What other programs drop and paste comes from anywhere: every byte sequence
// must read as links with non-empty addresses free of line breaks, and every
// title must give a file name of at most 255 bytes with no "/" or NUL.
#include "exchange/HtmlLinks.h"
#include "exchange/InternetShortcut.h"
#include "exchange/LinkBytes.h"
#include "exchange/UriText.h"

#include <algorithm>
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
    std::vector<qx::exchange::DroppedLink> anchors = qx::exchange::parseHtmlLinks(bytes);
    check(anchors);
    check(qx::exchange::parseAddressText(bytes));
    qx::exchange::addTitles(anchors, qx::exchange::parseMozUrl(bytes));
    // An address the document holds, whatever its bytes, leaves as a URI:
    // nothing outside the URI characters and escapes.
    const std::string uri = qx::exchange::UriText::encoded(bytes);
    if (uri.find_first_of(" \r\n\"<>\\^`{|}") != std::string::npos ||
        std::any_of(uri.begin(), uri.end(),
                    [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
        std::abort();
    if (qx::exchange::UriText::utf16le(bytes).size() % 2 != 0)
        std::abort();
    const std::string url = qx::exchange::InternetShortcut::urlOf(bytes);
    if (url.find_first_of("\r\n") != std::string::npos)
        std::abort();
    const std::string name = qx::exchange::InternetShortcut::fileName(bytes);
    if (name.size() > 255 || name.find('/') != std::string::npos ||
        name.find('\0') != std::string::npos)
        std::abort();
    return 0;
}
