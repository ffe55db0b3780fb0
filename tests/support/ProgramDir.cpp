#include "ProgramDir.h"

#include <cstdio>
#include <cstdlib>

namespace qx::test {

std::string programFolder() {
    const char* folder = std::getenv("QX_PROGRAM_DIR");
    if (!folder || !*folder) {
        std::fprintf(stderr, "QX_PROGRAM_DIR is not set: run this test through ctest, or set it "
                             "to the folder of the built program (build/<preset>/bin)\n");
        std::exit(2);
    }
    return folder;
}

} // namespace qx::test
