// The module's exports.
#include "qsearch/WebSearch.h"

#include "DefinitionFile.h"
#include "SearchRun.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::int32_t kInvalidParameter = 87;

// Read on every call: a user who edits the file sees the change at the next
// search, and runs on other threads share nothing.
qsearch::DefinitionSet definitions() {
    using qsearch::DefinitionFile;
    return DefinitionFile::loadMerged(DefinitionFile::moduleFolder()).set;
}

// A UTF-8 text cut to fit size bytes with its terminator, never inside a
// character.
void copyName(const std::string& name, char* out, std::size_t size) {
    std::size_t length = std::min(name.size(), size - 1);
    while (length > 0 && length < name.size() &&
           (static_cast<unsigned char>(name[length]) & 0xC0) == 0x80)
        --length;
    std::memcpy(out, name.data(), length);
    out[length] = '\0';
}

} // namespace

extern "C" QSEARCH_EXPORT int WebSearchAbiVersion(void) {
    return WSEARCH_ABI_VERSION;
}

extern "C" QSEARCH_EXPORT int WebSearchEngines(WSearchEngineInfo* out, int capacity) {
    const qsearch::DefinitionSet set = definitions();
    if (set.fileBroken)
        return 0;
    int count = 0;
    for (const auto& [number, definition] : set.engines) {
        if (number < 1)
            continue;
        if (out && count < capacity) {
            out[count].engine = number;
            copyName(definition.name, out[count].name, sizeof out[count].name);
        }
        ++count;
    }
    return count;
}

extern "C" QSEARCH_EXPORT std::int32_t WebSearch(const WSearchParam* param) {
    using namespace qsearch;
    if (!param)
        return kInvalidParameter;
    const DefinitionSet set = definitions();
    if (set.fileBroken || set.broken.count(param->engine))
        return kBrokenDefinition;
    const auto found = set.engines.find(param->engine);
    if (found == set.engines.end())
        return kNoDefinition;
    return SearchRun(*param, found->second, set).run();
}
