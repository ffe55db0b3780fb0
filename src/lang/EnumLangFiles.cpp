#include "lang/EnumLangFiles.h"

#include "lang/LangModule.h"

namespace qx {

EnumLangFiles::EnumLangFiles(std::string folder, const std::string& pattern, unsigned stringId)
    : DirFileIterator(std::move(folder), pattern), stringId_(stringId) {}

bool EnumLangFiles::accept(const std::string& path) {
    text_.clear();
    if (stringId_ == 0)
        return true;
    std::unique_ptr<LangModule> module = LangModule::load(path);
    if (module)
        text_ = module->string(stringId_);
    return !text_.empty();
}

} // namespace qx
