#pragma once

#include "cli/Cli.h"

namespace qx::cli {

// qxseek-cli search: runs a web search into a document through the search
// module, the job board and its workers, as the program does.
Command searchcommand();

} // namespace qx::cli
