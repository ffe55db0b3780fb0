#include "lang/LanguageChoice.h"

#include "lang/Language.h"
#include "settings/ApplicationProfile.h"

#include <algorithm>
#include <cctype>

namespace qx {

LanguageChoice LanguageChoice::atStartUp(const std::string& storedCode, ApplicationProfile& profile,
                                         Language& language) {
    LanguageChoice choice;
    choice.code = storedCode == "0" ? "enu" : storedCode == "1" ? "rus" : storedCode;
    choice.error = language.load(choice.code, &choice.modulePath);
    // Codes are one code whatever their letter case ("RUS" is "rus").
    const bool same = std::equal(choice.code.begin(), choice.code.end(), storedCode.begin(),
                                 storedCode.end(), [](char a, char b) {
                                     return std::tolower(static_cast<unsigned char>(a)) ==
                                            std::tolower(static_cast<unsigned char>(b));
                                 });
    if (choice.error == 0 && !same)
        profile.writeString("Options", "Language", choice.code);
    return choice;
}

} // namespace qx
