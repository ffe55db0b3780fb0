#pragma once

#include "cli/Cli.h"

namespace qx::cli {

// qxseek-cli engines [--check] [FILE]: the search module's engine slots and
// what the shipped definitions with the user's laid over them (or FILE alone)
// put in each; with --check every mistake of the files, one line each with
// its line number. engines --try N QUERY...: one run of engine N through the
// search module, each result on a line, then the total or the error.
Command enginescommand();

} // namespace qx::cli
