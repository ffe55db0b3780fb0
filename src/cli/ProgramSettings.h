#pragma once

#include <string>

namespace qx::cli {

// The settings file of the program installed beside this tool, found where the
// program itself looks for it (SettingsLocation): the commands that do the
// program's work (check, search, filing) take their options from it, so that
// an installed copy and a build folder behave alike.
class ProgramSettings {
public:
    static std::string path();
};

} // namespace qx::cli
