#pragma once

#include "DefinitionReader.h"

#include <string>
#include <vector>

namespace qsearch {

// Where the engine definitions come from: qsearch.json in the program folder
// (shipped with the module), merged per engine number with the user's
// $XDG_CONFIG_HOME/qxseek/qsearch.json (~/.config when the variable is unset),
// whose entry wins, so that filling one slot keeps the shipped engines.
class DefinitionFile {
public:
    static constexpr std::size_t kMaxSize = 1u << 20;

    // One file read, with its mistakes.
    struct Source {
        std::string path;
        bool read = false;
        std::vector<DefinitionMessage> messages;
    };

    // Both files' definitions and what each file held.
    struct Merged {
        DefinitionSet set;
        Source shipped;
        Source user;
    };

    static std::string userPath();
    // qsearch.json in the folder given (the program folder).
    static std::string shippedPath(const std::string& folder);
    // The folder of the loaded module that runs this code; empty when it
    // cannot be told. Only right inside the module: a program that links the
    // engine code statically is named as it was invoked (perhaps without a
    // folder), so it names its program folder itself.
    static std::string moduleFolder();

    // False when the file cannot be read (missing, a folder, larger than
    // kMaxSize); text then stays empty.
    static bool readText(const std::string& path, std::string& text);

    // The definitions of a file: none at all when it cannot be read.
    static DefinitionSet load(const std::string& path, std::vector<DefinitionMessage>& messages);

    // The shipped file of the folder with the user's file laid over it. The
    // user's timeouts count when the user has a file. A user's file that is not
    // readable as a whole breaks every engine, as it would alone.
    static Merged loadMerged(const std::string& folder);
};

} // namespace qsearch
