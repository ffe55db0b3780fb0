#pragma once

#include <string>

namespace qx {

// The folder that holds the program's modules, help files and pages.
class ProgramFolder {
public:
    // The folder of an executable, or its parent when that folder is named
    // "OBJEXE" in any letter case.
    static std::string of(const std::string& executable);
    // of() for the running executable.
    static std::string current();
};

} // namespace qx
