// The module's two exports.
#include "qsearch/WebSearch.h"

#include "DefinitionFile.h"
#include "SearchRun.h"

namespace {

constexpr std::int32_t kInvalidParameter = 87;

} // namespace

extern "C" QSEARCH_EXPORT int WebSearchAbiVersion(void) {
    return WSEARCH_ABI_VERSION;
}

extern "C" QSEARCH_EXPORT std::int32_t WebSearch(const WSearchParam* param) {
    using namespace qsearch;
    if (!param)
        return kInvalidParameter;
    // Read on every call: a user who edits the file sees the change at the
    // next search, and runs on other threads share nothing.
    std::vector<DefinitionMessage> messages;
    const DefinitionSet set = DefinitionFile::load(DefinitionFile::locate(), messages);
    if (set.fileBroken || set.broken.count(param->engine))
        return kBrokenDefinition;
    const auto found = set.engines.find(param->engine);
    if (found == set.engines.end())
        return kNoDefinition;
    return SearchRun(*param, found->second, set).run();
}
