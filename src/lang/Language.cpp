#include "lang/Language.h"

#include "lang/EnumLangFiles.h"
#include "lang/MessageBoxer.h"
#include "platform/FilePath.h"
#include "platform/FileSystem.h"
#include "platform/TextLimit.h"

namespace qx {

namespace {

// A stored code names a file in the program folder and nothing else: three
// characters, none of which could lead out of the folder.
bool isPlainCode(const std::string& code) {
    return code.size() == 3 && code.find_first_of(std::string("/\0", 2)) == std::string::npos;
}

std::string lowercase(std::string text) {
    for (char& c : text)
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    return text;
}

} // namespace

Language::Language(std::string programFolder) : folder_(std::move(programFolder)) {}

Language::~Language() = default;

std::string Language::findFile(std::string& code, const std::string& extension,
                               bool validate) const {
    if (isPlainCode(code)) {
        // Module files are named in small letters; a code written "RUS" by hand
        // names the same module.
        code = lowercase(code);
        std::string path = platform::joinPath(folder_, "qx" + code + extension);
        if (platform::isRegularFile(path))
            return path;
    }
    std::string path = platform::joinPath(folder_, std::string("qx") + kFallbackCode + extension);
    if (platform::isRegularFile(path)) {
        code = kFallbackCode;
        return path;
    }
    EnumLangFiles files(folder_, "qx???" + extension, validate ? kLanguageNameId : 0);
    if (files.next()) {
        code = files.code();
        return files.path();
    }
    return {};
}

platform::SysError Language::load(std::string& code, std::string* modulePath) {
    const std::string wanted = code;
    std::string path = findFile(code, kModuleExtension, true);
    release();
    // The report of a failure names the file: the one found, or else the one
    // the code asked for.
    if (modulePath)
        *modulePath =
            path.empty() ? platform::joinPath(folder_, "qx" + wanted + kModuleExtension) : path;
    if (path.empty()) {
        platform::setLastError(platform::err::FileNotFound);
        return platform::err::FileNotFound;
    }
    std::shared_ptr<const LangModule> module = LangModule::load(path);
    if (!module)
        return platform::lastError();
    std::string helpCode = code;
    std::string help = findFile(helpCode, kHelpExtension, false);
    std::lock_guard lock(mutex_);
    module_ = std::move(module);
    helpFile_ = std::move(help);
    return 0;
}

void Language::release() {
    std::shared_ptr<const LangModule> old;
    {
        std::lock_guard lock(mutex_);
        old = std::move(module_);
        helpFile_.clear();
    }
    // The module unloads here, outside the lock, unless a lookup still holds it.
}

std::shared_ptr<const LangModule> Language::module() const {
    std::lock_guard lock(mutex_);
    return module_;
}

bool Language::loaded() const {
    return module() != nullptr;
}

std::string Language::helpFile() const {
    std::lock_guard lock(mutex_);
    return helpFile_;
}

std::string Language::text(unsigned id, int capacity) const {
    std::shared_ptr<const LangModule> m = module();
    if (!m)
        return {};
    std::string s = m->string(id);
    platform::limitText(s, static_cast<std::size_t>(capacity < 1 ? 1024 : capacity) - 1);
    return s;
}

std::string Language::formatArgs(unsigned id, std::span<const FormatArg> args) const {
    return formatText(text(id), args);
}

Menu Language::menu(unsigned id) const {
    std::shared_ptr<const LangModule> m = module();
    return m ? Menu::fromTable(m->menu(id)) : Menu();
}

std::string Language::resource(const char* name, const char* type) const {
    std::shared_ptr<const LangModule> m = module();
    return m ? m->resource(name, type) : std::string();
}

int Language::documentMessage(MessageBoxer& boxes, const std::string& title, unsigned id,
                              unsigned style) const {
    std::string message = text(id, 256);
    const FormatArg number[] = {FormatArg(id)};
    const FormatArg name[] = {FormatArg(title)};
    message = message.empty() ? formatText("Error: Message [string ID %u] not found", number)
                              : formatText(message, name);
    unsigned boxStyle = mb::TaskModal | (style != 0 ? style | mb::IconQuestion : mb::Ok);
    return boxes.show(message, title, boxStyle);
}

std::string Language::errorTextOf(ErrorTextKind kind, std::int32_t code) const {
    std::string text;
    std::shared_ptr<const LangModule> m = module();
    if (!m || !m->errorText(kind, code, text) || text.empty())
        text = "Error #" + std::to_string(code);
    return text;
}

std::string Language::errorText(std::int32_t code) const {
    return errorTextOf(ErrorTextKind::System, code);
}

std::string Language::volumeLabelErrorText(std::int32_t code) const {
    return errorTextOf(ErrorTextKind::VolumeLabel, code);
}

std::string Language::launchErrorText(std::int32_t code) const {
    return errorTextOf(ErrorTextKind::Execute, code);
}

std::string Language::dialogErrorText(std::int32_t code) const {
    return errorTextOf(ErrorTextKind::CommonDialog, code);
}

std::vector<Language::Entry> Language::languages() const {
    std::vector<Entry> found;
    EnumLangFiles files(folder_, std::string("qx???") + kModuleExtension, kLanguageNameId);
    while (files.next())
        found.push_back({files.code(), files.text()});
    return found;
}

std::string Language::helpAnchor(unsigned context) {
    return context == 0 ? std::string() : "ctx" + std::to_string(context);
}

} // namespace qx
