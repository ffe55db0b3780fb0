#include "cli/VersionCommand.h"

#include "lang/Language.h"
#include "lang/ProgramFolder.h"

#include <cstdio>

namespace qx::cli {

int runversion(const Args&, const std::vector<std::string>&) {
    const Language language(ProgramFolder::current());
    std::printf("qxseek-cli %s\nprogram folder: %s\n", QX_VERSION,
                language.programFolder().c_str());
    const std::vector<Language::Entry> found = language.languages();
    if (found.empty())
        return fail("no language module in " + language.programFolder());
    for (const Language::Entry& entry : found)
        std::printf("language: %s %s\n", entry.code.c_str(), entry.name.c_str());
    return 0;
}

} // namespace qx::cli
