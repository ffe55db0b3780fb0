#pragma once

#include "cli/Cli.h"

#include <span>

namespace qx::cli {

// Every command of the tool, in the order the help lists them.
std::span<const Command> commands();

} // namespace qx::cli
