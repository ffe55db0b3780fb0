#pragma once

#include "net/iurlwstream.h"

#include <chrono>
#include <string>

namespace qx::test {

// Everything left in the stream, and whether the last read failed.
inline std::string readAll(iurlwstream& in, bool* failed = nullptr) {
    std::string out;
    char block[4096];
    for (;;) {
        const int n = in.read(block, sizeof block);
        if (n > 0)
            out.append(block, static_cast<std::size_t>(n));
        if (n < static_cast<int>(sizeof block))
            break;
    }
    if (failed)
        *failed = (in.state() & wstream::failbit) != 0;
    return out;
}

inline long msSince(std::chrono::steady_clock::time_point start) {
    return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                 std::chrono::steady_clock::now() - start)
                                 .count());
}

} // namespace qx::test
