#pragma once

#include "cli/Cli.h"

namespace qx::cli {

// qxseek-cli check: checks the references of a document through the job
// board and its check workers, applies the answers as the program does and
// saves the document.
Command checkcommand();

} // namespace qx::cli
