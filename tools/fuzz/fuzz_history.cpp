// History entries live in the settings file, where anyone may edit them: any
// text must decode without reading past its end, and a decoded request must
// come back unchanged from its own entry text whenever its query and
// exclusion carry no comma that would shift the pieces.
#include "search/FindHistory.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A copy of exactly the input's bytes, so that reading past it is caught.
    const std::string text(reinterpret_cast<const char*>(data), size);
    const qx::FindInfo plain;
    const qx::FindInfo first = qx::FindHistory::decode(text, plain);
    const std::string entry = qx::FindHistory::entrytext(first);
    const qx::FindInfo second = qx::FindHistory::decode(entry, plain);
    if (first.query.view().find(',') == std::string_view::npos &&
        (second.query.view() != first.query.view() || second.max != first.max ||
         second.servers != first.servers || second.check != first.check ||
         second.queryMode != first.queryMode || second.exclude.view() != first.exclude.view()))
        std::abort();
    return 0;
}
