#include "cli/HostOrder.h"

#include "cli/ProgramSettings.h"
#include "model/DDoc.h"
#include "settings/ApplicationProfile.h"
#include "settings/Options.h"

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
    const std::string path = ProgramSettings::path();
    if (path.empty())
        return DDoc::HostsByName;
    const ApplicationProfile profile(path);
    Options options;
    options.load(profile);
    return options.sortServersType;
}

} // namespace qx::cli
