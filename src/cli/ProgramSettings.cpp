#include "cli/ProgramSettings.h"

#include "platform/FilePath.h"
#include "settings/SettingsLocation.h"

namespace qx::cli {

std::string ProgramSettings::path() {
    const std::string tool = SettingsLocation::runningExecutable();
    if (tool.empty())
        return {};
    return SettingsLocation::forProgram(platform::joinPath(platform::folderOf(tool), "qxseek"));
}

} // namespace qx::cli
