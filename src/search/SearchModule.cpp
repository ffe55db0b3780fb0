#include "search/SearchModule.h"

#include "platform/Module.h"
#include "platform/SystemError.h"

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

} // namespace qx
