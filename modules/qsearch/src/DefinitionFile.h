#pragma once

#include "DefinitionReader.h"

#include <string>
#include <vector>

namespace qsearch {

// Where the engine definitions come from: $XDG_CONFIG_HOME/qxseek/qsearch.json
// (~/.config when the variable is unset) when the user has one, else
// qsearch.json in the folder of the code that asks (the module's folder, which
// is the program folder).
class DefinitionFile {
public:
    static constexpr std::size_t kMaxSize = 1u << 20;

    static std::string userPath();
    static std::string shippedPath();
    // The user's file when it exists, else the shipped one.
    static std::string locate();

    // False when the file cannot be read (missing, a folder, larger than
    // kMaxSize); text then stays empty.
    static bool readText(const std::string& path, std::string& text);

    // The definitions of a file: none at all when it cannot be read.
    static DefinitionSet load(const std::string& path, std::vector<DefinitionMessage>& messages);
};

} // namespace qsearch
