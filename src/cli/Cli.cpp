#include "cli/Cli.h"

#include "cli/Commands.h"
#include "cli/HostOrder.h"
#include "cli/WriteLock.h"

#include <cstdio>
#include <cstring>

namespace qx::cli {

namespace {

constexpr int kUsageError = 2;

void printlist() {
    std::printf("Usage: qxseek-cli COMMAND [ARGUMENTS]\n"
                "       qxseek-cli help COMMAND\n\n"
                "Works on qxseek documents (.qxo) without the editor.\n\n"
                "Commands:\n");
    for (const Command& command : commands()) {
        std::printf("  %-16s %s\n", command.name, command.summary);
    }
    std::printf("\nEvery command exits with 0 on success; on failure it says why on the\n"
                "standard error and exits with 1 (2 for a command line it does not understand).\n");
}

void printhelp(const Command& command) {
    std::printf("Usage: qxseek-cli %s %s\n\n%s\n", command.name, command.usage, command.details);
    for (const char* option : command.options) {
        if (std::strcmp(option, HostOrder::kOption) == 0) {
            std::printf("\n%s\n", HostOrder::kHelp);
        }
    }
    if (command.writes >= 0) {
        std::printf("\n%s\n", WriteLock::kHelp);
    }
}

const Command* findcommand(const char* name) {
    for (const Command& command : commands()) {
        if (std::strcmp(command.name, name) == 0) {
            return &command;
        }
    }
    return nullptr;
}

int runcommand(const Command& command, int argc, char** argv) {
    Args args;
    std::vector<std::string> values(command.options.size() + command.flags.size());
    bool force = false;
    for (int i = 0; i < argc; ++i) {
        const char* word = argv[i];
        if (std::strcmp(word, "--help") == 0 || std::strcmp(word, "-h") == 0) {
            printhelp(command);
            return 0;
        }
        if (std::strncmp(word, "--", 2) != 0 || word[2] == '\0') {
            args.emplace_back(word);
            continue;
        }
        if (command.writes >= 0 && std::strcmp(word, WriteLock::kFlag) == 0) {
            force = true;
            continue;
        }
        std::size_t flag = 0;
        while (flag < command.flags.size() && std::strcmp(command.flags[flag], word)) {
            ++flag;
        }
        if (flag < command.flags.size()) {
            values[command.options.size() + flag] = "1";
            continue;
        }
        std::size_t option = 0;
        while (option < command.options.size() && std::strcmp(command.options[option], word)) {
            ++option;
        }
        if (option == command.options.size()) {
            return usageerror(std::string("unknown option ") + word, command.name);
        }
        if (i + 1 == argc) {
            return usageerror(std::string("option ") + word + " needs a value", command.name);
        }
        values[option] = argv[++i];
    }
    const int count = static_cast<int>(args.size());
    if (count < command.minargs || (command.maxargs >= 0 && count > command.maxargs)) {
        return usageerror(std::string("usage: qxseek-cli ") + command.name + " " + command.usage,
                          command.name);
    }
    WriteLock lock;
    if (command.writes >= 0 && !lock.take(args[command.writes], force)) {
        return 1;
    }
    return command.run(args, values);
}

} // namespace

int usageerror(const std::string& message, const char* command) {
    std::fprintf(stderr, "qxseek-cli: %s (see qxseek-cli help%s%s)\n", message.c_str(),
                 command ? " " : "", command ? command : "");
    return kUsageError;
}

int fail(const std::string& message) {
    std::fprintf(stderr, "qxseek-cli: %s\n", message.c_str());
    return 1;
}

int run(int argc, char** argv) {
    if (argc < 2) {
        printlist();
        return usageerror("no command given", nullptr);
    }
    const char* name = argv[1];
    if (std::strcmp(name, "--help") == 0 || std::strcmp(name, "-h") == 0) {
        printlist();
        return 0;
    }
    if (std::strcmp(name, "help") == 0) {
        if (argc == 2) {
            printlist();
            return 0;
        }
        const Command* command = findcommand(argv[2]);
        if (!command) {
            return usageerror(std::string("unknown command ") + argv[2], nullptr);
        }
        printhelp(*command);
        return 0;
    }
    const Command* command = findcommand(name);
    if (!command) {
        return usageerror(std::string("unknown command ") + name, nullptr);
    }
    return runcommand(*command, argc - 2, argv + 2);
}

} // namespace qx::cli
