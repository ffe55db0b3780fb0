#include "search/SearchModule.h"

#include <algorithm>
#include <cstring>

#include "platform/Module.h"
#include "platform/SystemError.h"
#include "search/EngineTable.h"

namespace qx {

std::shared_ptr<const SearchModule> SearchModule::load(const std::string& path) {
    std::unique_ptr<platform::Module> module = platform::Module::load(path);
    if (!module) {
        return nullptr;
    }
    return std::shared_ptr<const SearchModule>(new SearchModule(std::move(module)));
}

SearchModule::SearchModule(std::unique_ptr<platform::Module> module) : module_(std::move(module)) {}

SearchModule::~SearchModule() = default;

WebSearchFunction SearchModule::entry() const {
    auto version = module_->function<WebSearchAbiVersionFunction>(WSEARCH_ABI_VERSION_NAME);
    auto search = module_->function<WebSearchFunction>(WSEARCH_ENTRY_NAME);
    if (!version || version() != WSEARCH_ABI_VERSION || !search) {
        platform::setLastError(platform::err::ProcNotFound);
        return nullptr;
    }
    return search;
}

std::optional<std::vector<DefinedEngine>> SearchModule::engines() const {
    auto list = module_->function<WebSearchEnginesFunction>(WSEARCH_ENGINES_NAME);
    if (!list || !entry())
        return std::nullopt;
    // More than the mask's positions are of no use; the module says how many
    // it has, which may be more than fit.
    WSearchEngineInfo records[EngineTable::kPositions] = {};
    const int count = std::min(list(records, EngineTable::kPositions), EngineTable::kPositions);
    std::vector<DefinedEngine> out;
    for (int i = 0; i < count; ++i) {
        const WSearchEngineInfo& record = records[i];
        out.push_back(
            {record.engine, std::string(record.name, strnlen(record.name, sizeof record.name))});
    }
    return out;
}

} // namespace qx
