#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <qsearch/WebSearch.h>

namespace qx {

struct DefinedEngine;

namespace platform {
class Module;
}

// The loaded search module, shared by every search worker (a worker that was
// abandoned at shutdown keeps it loaded until it ends).
class SearchModule {
public:
    // Null when the file is missing or cannot be loaded (silently: each search
    // then records the lookup error).
    static std::shared_ptr<const SearchModule> load(const std::string& path);
    ~SearchModule();

    // The module's WebSearch, or null with the thread's last error set to
    // ProcNotFound when the module lacks it, or lacks WebSearchAbiVersion or
    // answers another version than the records here are laid out for.
    WebSearchFunction entry() const;

    // The engines the module defines, through its optional WebSearchEngines;
    // none when it lacks the export (it is then asked as the table stands).
    std::optional<std::vector<DefinedEngine>> engines() const;

private:
    explicit SearchModule(std::unique_ptr<platform::Module> module);
    std::unique_ptr<platform::Module> module_;
};

} // namespace qx
