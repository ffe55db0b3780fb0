#include "lang/ProgramFolder.h"

#include "platform/FilePath.h"
#include "settings/SettingsLocation.h"

#include <strings.h>

namespace qx {

std::string ProgramFolder::of(const std::string& executable) {
    std::string folder = platform::folderOf(executable);
    if (::strcasecmp(platform::fileNameOf(folder).c_str(), "OBJEXE") == 0)
        return platform::folderOf(folder);
    return folder;
}

std::string ProgramFolder::current() {
    return of(SettingsLocation::runningExecutable());
}

} // namespace qx
