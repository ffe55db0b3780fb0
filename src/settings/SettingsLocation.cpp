#include "settings/SettingsLocation.h"

#include "settings/FilePath.h"

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

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
    std::string name = fileNameOf(ini);
    std::string config;
    if (xdgConfigHome && xdgConfigHome[0] == '/')
        config = xdgConfigHome;
    else
        config = std::string(home ? home : "") + "/.config";
    return config + "/qxseek/" + name;
}

bool SettingsLocation::installedCopy(const std::string& programFolder) {
    struct stat info {};
    return ::stat(joinPath(programFolder, "../../share/applications/qxseek.desktop").c_str(),
                  &info) == 0 &&
           S_ISREG(info.st_mode);
}

std::string SettingsLocation::forProgram(const std::string& programFile) {
    const std::string folder = folderOf(programFile);
    bool writable = !installedCopy(folder) && ::access(folder.c_str(), W_OK) == 0;
    return choose(programFile, writable, std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
}

std::string SettingsLocation::runningExecutable() {
    std::vector<char> buffer(4096);
    for (;;) {
        ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0)
            return {};
        if (static_cast<std::size_t>(n) < buffer.size())
            return std::string(buffer.data(), static_cast<std::size_t>(n));
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace qx
