#pragma once

#include <string>
#include <vector>

namespace qx::cli {

using Args = std::vector<std::string>;

// One command of the tool.
struct Command {
    const char* name;
    // The arguments, as the help shows them after the name.
    const char* usage;
    // One line for the list of commands.
    const char* summary;
    // What the command help adds below the usage.
    const char* details;
    // The least and most number of arguments (after the options); -1: no most.
    int minargs;
    int maxargs;
    // Options that take a value (e.g. "--folder"); other words starting with
    // "--" are refused.
    std::vector<const char*> options;
    // Runs with the arguments and the option values: the exit code. The
    // values of the options come first, then one per flag: "1" when given.
    int (*run)(const Args& args, const std::vector<std::string>& values);
    // Options that take no value (e.g. "--check").
    std::vector<const char*> flags = {};
    // The argument naming the document the command saves, locked while it
    // runs (and --force accepted); -1 for a command that writes no document.
    int writes = -1;
};

// Runs the tool on a command line: the exit code, 0 on success. Failures are
// reported on the standard error as one line.
int run(int argc, char** argv);

// Reports a command line the tool does not understand (with a pointer to the
// help of command, when given) and gives the exit code for it.
int usageerror(const std::string& message, const char* command);

// Reports a failure ("qxseek-cli: " and the message) and gives the exit code
// for it.
int fail(const std::string& message);
// Reports a command line the tool does not understand, pointing at the help
// of the command (none: the tool's), and gives the exit code for it.
int usageerror(const std::string& message, const char* command);

} // namespace qx::cli
