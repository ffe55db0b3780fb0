#include "cli/HostOrder.h"

#include "model/DDoc.h"
#include "platform/FilePath.h"
#include "settings/ApplicationProfile.h"
#include "settings/Options.h"
#include "settings/SettingsLocation.h"

namespace qx::cli {

bool HostOrder::parse(const std::string& word, int& type) {
    if (word == "name")
        type = DDoc::HostsByName;
    else if (word == "host")
        type = DDoc::HostsByHost;
    else if (word == "count")
        type = DDoc::HostsByCount;
    else
        return false;
    return true;
}

int HostOrder::fromsettings() {
    const std::string tool = SettingsLocation::runningExecutable();
    if (tool.empty())
        return DDoc::HostsByName;
    const ApplicationProfile profile(
        SettingsLocation::forProgram(platform::joinPath(platform::folderOf(tool), "qxseek")));
    Options options;
    options.load(profile);
    return options.sortServersType;
}

} // namespace qx::cli
