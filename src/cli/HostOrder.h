#pragma once

#include <string>

namespace qx::cli {

// The order of hosts ("SortServersType") the tool files under, so that a
// document it changes looks as the program would leave it: the --sort-hosts
// word when given, else the setting of the program installed beside the tool.
class HostOrder {
public:
    // The option of the commands that file, and what their help says of it.
    static constexpr const char* kOption = "--sort-hosts";
    static constexpr const char* kHelp =
        "The hosts are sorted as the program sorts them after opening a document: by\n"
        "--sort-hosts name|host|count, else by \"SortServersType\" in the settings file\n"
        "of the program beside this tool.";

    // The type for "name", "host" or "count"; false for any other word.
    static bool parse(const std::string& word, int& type);
    // The setting from the settings file the program beside this tool uses
    // (0 when it has none).
    static int fromsettings();
};

} // namespace qx::cli
