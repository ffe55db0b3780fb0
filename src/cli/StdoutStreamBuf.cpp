#include "cli/StdoutStreamBuf.h"

#include <cstdio>

namespace qx::cli {

int StdoutStreamBuf::write(const void* src, int n) {
    if (n <= 0) {
        return 0;
    }
    std::size_t put = std::fwrite(src, 1, static_cast<std::size_t>(n), stdout);
    return put == 0 ? -1 : static_cast<int>(put);
}

int StdoutStreamBuf::seek(int, int) {
    return -1;
}

bool StdoutStreamBuf::flush() {
    return std::fflush(stdout) == 0 && !std::ferror(stdout);
}

} // namespace qx::cli
