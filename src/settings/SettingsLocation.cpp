#include "settings/SettingsLocation.h"

#include "platform/FilePath.h"
#include "platform/FileSystem.h"

#include <cstdlib>

namespace qx {

std::string SettingsLocation::iniNameFor(const std::string& programFile) {
    std::size_t nameStart = programFile.find_last_of("\\/:");
    nameStart = nameStart == std::string::npos ? 0 : nameStart + 1;
    std::size_t dot = programFile.rfind('.');
    if (dot == std::string::npos || dot < nameStart)
        return programFile + ".INI";
    return programFile.substr(0, dot) + ".INI";
}

std::string SettingsLocation::choose(const std::string& programFile, bool folderWritable,
                                     const char* xdgConfigHome, const char* home) {
    std::string ini = iniNameFor(programFile);
    if (folderWritable)
        return ini;
    std::string name = platform::fileNameOf(ini);
    std::string config;
    if (xdgConfigHome && xdgConfigHome[0] == '/')
        config = xdgConfigHome;
    else
        config = std::string(home ? home : "") + "/.config";
    return config + "/qxseek/" + name;
}

bool SettingsLocation::installedCopy(const std::string& programFolder) {
    return platform::isRegularFile(
        platform::joinPath(programFolder, "../../share/applications/qxseek.desktop"));
}

std::string SettingsLocation::forProgram(const std::string& programFile) {
    const std::string folder = platform::folderOf(programFile);
    bool writable = !installedCopy(folder) && platform::isWritableFolder(folder);
    return choose(programFile, writable, std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
}

std::string SettingsLocation::runningExecutable() {
    return platform::runningExecutable();
}

} // namespace qx
