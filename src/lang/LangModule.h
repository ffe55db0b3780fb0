#pragma once

#include "lang/ModuleAbi.h"
#include "platform/Module.h"

#include <cstdint>
#include <memory>
#include <string>

namespace qx {

// The four error-text operations of a language module.
enum class ErrorTextKind { System = 0, VolumeLabel = 1, Execute = 2, CommonDialog = 3 };

// A loaded language module with its exports looked up once.
class LangModule {
public:
    // Null when the file cannot be loaded (the thread's last error says why).
    static std::unique_ptr<LangModule> load(const std::string& path);

    // The string of a number; empty when the module has none.
    std::string string(unsigned id) const;
    // The menu table of a number, or null.
    const QxMenuEntry* menu(unsigned id) const;
    // The text of an error code through the export of its kind; false when the
    // module exports none of that kind's names.
    bool errorText(ErrorTextKind kind, std::int32_t code, std::string& text) const;
    // A copy of a named resource's bytes; empty when there is none.
    std::string resource(const char* name, const char* type) const;

private:
    explicit LangModule(std::unique_ptr<platform::Module> module);

    std::unique_ptr<platform::Module> module_;
    QxStringFunction string_ = nullptr;
    QxMenuFunction menu_ = nullptr;
    QxErrorTextFunction errorText_[4] = {};
};

} // namespace qx
