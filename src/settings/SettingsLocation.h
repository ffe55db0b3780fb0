#pragma once

#include <string>

namespace qx {

// Where the settings file lives.
class SettingsLocation {
public:
    // The settings file's name for a program file: its extension (from the last
    // "." after the last "\", "/" or ":") replaced by ".INI", or ".INI" appended
    // when it has none; "qxseek" gives "qxseek.INI".
    static std::string iniNameFor(const std::string& programFile);

    // The settings path for a program file: beside it when its folder is
    // writable, else in the user's configuration folder ($XDG_CONFIG_HOME, or
    // ~/.config when that is unset or not absolute) under "qxseek".
    static std::string choose(const std::string& programFile, bool folderWritable,
                              const char* xdgConfigHome, const char* home);

    // True when the program folder is that of an installed copy (cmake
    // --install or the Debian package: <prefix>/lib/qxseek beside
    // <prefix>/share/applications/qxseek.desktop). Such a folder belongs to the
    // package manager even when the user may write to it (root).
    static bool installedCopy(const std::string& programFolder);

    // choose() with the real environment; the folder counts as writable only
    // when it is, and is not an installed copy's.
    static std::string forProgram(const std::string& programFile);

    // The path of the running executable, links resolved; empty when unknown.
    static std::string runningExecutable();
};

} // namespace qx
