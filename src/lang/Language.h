#pragma once

#include "lang/LangModule.h"
#include "lang/Menu.h"
#include "lang/TextFormat.h"
#include "platform/SystemError.h"

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <vector>

namespace qx {

class MessageBoxer;

// The current language module: every text, menu and resource the user sees
// comes from it by number. At most one module is loaded at a time.
//
// Lookups may come from any thread. A lookup keeps the module it started with
// loaded until it has copied its text, so that releasing the language while a
// worker formats a status line never leaves the worker in unloaded code.
class Language {
public:
    static constexpr const char* kFallbackCode = "enu";
    static constexpr const char* kModuleExtension = ".so";
    static constexpr const char* kHelpExtension = ".html";
    static constexpr unsigned kLanguageNameId = 9500;
    // The program's own text for a module that cannot be loaded, with its path for %s.
    static constexpr const char* kUnableToLoadModule = "Unable to load module %s";

    // A language found in the program folder.
    struct Entry {
        std::string code; // the three letters of the file name after "qx"
        std::string name; // the module's own name for its language (string 9500)
    };

    explicit Language(std::string programFolder);
    ~Language();
    Language(const Language&) = delete;
    Language& operator=(const Language&) = delete;

    const std::string& programFolder() const { return folder_; }

    // The file to use for a code and an extension: "qx<code><ext>", else
    // "qxenu<ext>", else the first "qx???<ext>" that passes (with validate, a
    // module with a language name). The code becomes the one of the file found.
    // Empty when there is none.
    std::string findFile(std::string& code, const std::string& extension, bool validate) const;

    // Releases the current module and loads the one for the code (which may
    // change as findFile() says), and finds the help file. Returns 0, FileNotFound
    // when there is no module file, or the load's error; the module's path, when
    // one was found, goes to *modulePath for the "Unable to load module" report.
    platform::SysError load(std::string& code, std::string* modulePath = nullptr);
    void release();
    bool loaded() const;
    std::string helpFile() const;

    // The string of a number cut to capacity - 1 bytes (capacity 1024 when below
    // 1); empty when the module, or the string, is missing.
    std::string text(unsigned id, int capacity = 1024) const;

    // The string of a number used as a wsprintf-style format.
    template <typename... Args> std::string format(unsigned id, const Args&... args) const {
        const std::array<FormatArg, sizeof...(Args)> list = {FormatArg(args)...};
        return formatArgs(id, list);
    }
    std::string formatArgs(unsigned id, std::span<const FormatArg> args) const;

    // The menu of a number; an empty menu when there is none.
    Menu menu(unsigned id) const;
    // A copy of a named resource's bytes ("Norba" of type "ABITMAP": the banner).
    std::string resource(const char* name, const char* type) const;

    // A document error or question: the string of the number (read into 256
    // characters, "%s" standing for the title) in a task-modal box captioned
    // with the document's title; a non-zero style (its buttons) gets the
    // question icon. Returns the button pressed.
    int documentMessage(MessageBoxer& boxes, const std::string& title, unsigned id,
                        unsigned style) const;

    // The module's texts for error codes; "Error #<code>" when the module has
    // no such export.
    std::string errorText(std::int32_t code) const;
    std::string volumeLabelErrorText(std::int32_t code) const;
    std::string launchErrorText(std::int32_t code) const;
    std::string dialogErrorText(std::int32_t code) const;

    // Every language module in the program folder, in file-name order.
    std::vector<Entry> languages() const;

    // The anchor of a help context in the help file ("ctx5"); empty for 0, the contents.
    static std::string helpAnchor(unsigned context);

private:
    std::shared_ptr<const LangModule> module() const;
    std::string errorTextOf(ErrorTextKind kind, std::int32_t code) const;

    const std::string folder_;
    mutable std::mutex mutex_;
    std::shared_ptr<const LangModule> module_; // guarded by mutex_
    std::string helpFile_;                     // guarded by mutex_
};

} // namespace qx
