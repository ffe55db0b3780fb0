#pragma once

#include "cli/Cli.h"

namespace qx::cli {

// qxseek-cli engines [--check] [FILE]: the search module's engine slots and
// what its definitions file (or FILE) puts in each; with --check every
// mistake in the file, one line each with its line number.
int runengines(const Args& args, const std::vector<std::string>& values);

} // namespace qx::cli
