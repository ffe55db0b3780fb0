#pragma once

#include "cli/Cli.h"

namespace qx::cli {

// "version": the tool's version, its program folder and the language modules
// found there, so that an installation can be checked from a terminal.
int runversion(const Args& args, const std::vector<std::string>& values);

} // namespace qx::cli
