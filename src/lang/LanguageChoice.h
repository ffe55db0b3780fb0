#pragma once

#include "platform/SystemError.h"

#include <string>

namespace qx {

class ApplicationProfile;
class Language;

// The language settled at start-up.
struct LanguageChoice {
    platform::SysError error = 0; // of Language::load(); non-zero ends the start
    std::string code;             // the code of the module loaded
    std::string modulePath;       // the module file found, for the error report

    // Takes the stored code (the old values "0" and "1" stand for "enu" and
    // "rus"), loads its module or a fallback, and writes "Options"/"Language"
    // when the code loaded is not the one stored. The caller's Options keep the
    // value as it was read.
    static LanguageChoice atStartUp(const std::string& storedCode, ApplicationProfile& profile,
                                    Language& language);
};

} // namespace qx
