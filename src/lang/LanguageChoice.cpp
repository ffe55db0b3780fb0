#include "lang/LanguageChoice.h"

#include "lang/Language.h"
#include "settings/ApplicationProfile.h"

namespace qx {

LanguageChoice LanguageChoice::atStartUp(const std::string& storedCode, ApplicationProfile& profile,
                                         Language& language) {
    LanguageChoice choice;
    choice.code = storedCode == "0" ? "enu" : storedCode == "1" ? "rus" : storedCode;
    choice.error = language.load(choice.code, &choice.modulePath);
    if (choice.error == 0 && choice.code != storedCode)
        profile.writeString("Options", "Language", choice.code);
    return choice;
}

} // namespace qx
