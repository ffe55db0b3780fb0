#include "lang/LangModule.h"

#include <cstring>

namespace qx {

namespace {
// No text of a module is longer; the bound keeps a broken module's text
// without a terminator from being read without end.
constexpr std::size_t kMaxModuleText = 65536;

std::string copyText(const char* text) {
    return text ? std::string(text, ::strnlen(text, kMaxModuleText)) : std::string();
}
} // namespace

std::unique_ptr<LangModule> LangModule::load(const std::string& path) {
    std::unique_ptr<platform::Module> module = platform::Module::load(path);
    if (!module)
        return nullptr;
    return std::unique_ptr<LangModule>(new LangModule(std::move(module)));
}

LangModule::LangModule(std::unique_ptr<platform::Module> module) : module_(std::move(module)) {
    string_ = module_->function<QxStringFunction>(langabi::kStringFunction);
    menu_ = module_->function<QxMenuFunction>(langabi::kMenuFunction);
    for (int kind = 0; kind < 4; ++kind)
        for (const char* name : langabi::kErrorTextNames[kind])
            if ((errorText_[kind] = module_->function<QxErrorTextFunction>(name)))
                break;
}

std::string LangModule::string(unsigned id) const {
    return string_ ? copyText(string_(id)) : std::string();
}

const QxMenuEntry* LangModule::menu(unsigned id) const {
    return menu_ ? menu_(id) : nullptr;
}

bool LangModule::errorText(ErrorTextKind kind, std::int32_t code, std::string& text) const {
    QxErrorTextFunction f = errorText_[static_cast<int>(kind)];
    if (!f)
        return false;
    text = copyText(f(code));
    return true;
}

std::string LangModule::resource(const char* name, const char* type) const {
    platform::Resource found = module_->findResource(name, type);
    return found ? std::string(static_cast<const char*>(found.data), found.size) : std::string();
}

} // namespace qx
