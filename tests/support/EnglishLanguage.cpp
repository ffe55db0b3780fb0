#include "EnglishLanguage.h"

#include "lang/Language.h"

#include <cstdlib>
#include <string>

namespace qx::test {

std::unique_ptr<Language> englishlanguage() {
    const char* folder = std::getenv("QX_PROGRAM_DIR");
    if (!folder) {
        return nullptr;
    }
    auto language = std::make_unique<Language>(folder);
    std::string code = "enu";
    return language->load(code) == 0 ? std::move(language) : nullptr;
}

} // namespace qx::test
