#include "cli/ProgramSettings.h"

#include "settings/FilePath.h"
#include "settings/SettingsLocation.h"

namespace qx::cli {

std::string ProgramSettings::path() {
    const std::string tool = SettingsLocation::runningExecutable();
    if (tool.empty())
        return {};
    return SettingsLocation::forProgram(joinPath(folderOf(tool), "qxseek"));
}

} // namespace qx::cli
