#pragma once

#include "cli/Cli.h"

#include <span>

namespace qx {
class DDoc;
}

namespace qx::cli {

// Reads a document for a command; false (reported) when it cannot be read.
bool load(const std::string& path, DDoc& doc);

// Every command of the tool, in the order the help lists them.
std::span<const Command> commands();

} // namespace qx::cli
