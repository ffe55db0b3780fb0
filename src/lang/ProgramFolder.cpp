#include "lang/ProgramFolder.h"

#include "settings/FilePath.h"
#include "settings/SettingsLocation.h"

#include <strings.h>

namespace qx {

std::string ProgramFolder::of(const std::string& executable) {
    std::string folder = folderOf(executable);
    if (::strcasecmp(fileNameOf(folder).c_str(), "OBJEXE") == 0)
        return folderOf(folder);
    return folder;
}

std::string ProgramFolder::current() {
    return of(SettingsLocation::runningExecutable());
}

} // namespace qx
