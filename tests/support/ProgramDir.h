#pragma once

#include <string>

namespace qx::test {

// The folder of the built program with its modules, from QX_PROGRAM_DIR, which
// ctest sets. Run any other way without it, the test program says so and ends
// with status 2 rather than crash on a missing folder.
std::string programFolder();

} // namespace qx::test
