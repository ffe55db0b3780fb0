// The definitions file is edited by hand: any text read as one must end in
// definitions or line-numbered messages, never a crash.
#include "DefinitionReader.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<qsearch::DefinitionMessage> messages;
    const qsearch::DefinitionSet set = qsearch::DefinitionReader::read(
        std::string_view(reinterpret_cast<const char*>(data), size), messages);
    for (const qsearch::DefinitionMessage& message : messages) {
        if (message.line < 0 || static_cast<std::size_t>(message.line) > size + 1)
            __builtin_trap();
    }
    if (!set.engines.empty() && set.fileBroken)
        __builtin_trap();
    return 0;
}
