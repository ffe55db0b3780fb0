// Addresses come from search results, dropped text and documents: neither the
// splitter nor the piece walk may fail on any byte sequence.
#include "model/URLPartIterator.h"
#include "net/SplitUrl.h"
#include "net/UrlEncoding.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view url(reinterpret_cast<const char*>(data), size);
    qx::UrlParts parts;
    qx::SplitUrl(url, parts);
    // Encoding for a request is idempotent: what it made is left alone.
    const std::string wire = qx::UrlEncoding::forRequest(url);
    if (qx::UrlEncoding::forRequest(wire) != wire)
        __builtin_trap();
    qx::URLPartIterator it(url);
    std::size_t total = 0;
    while (it.Next()) {
        total += it.Piece().size();
        it.Advance();
    }
    total += it.Piece().size();
    if (total > size)
        __builtin_trap();
    return 0;
}
