#pragma once

#include "platform/SystemError.h"

#include <string>
#include <string_view>

namespace qx {

// A small file read or written in one piece. Written: made or truncated, then
// the bytes; a file that could not be written whole is removed rather than
// left cut short.
class WholeFile {
public:
    // 0, the system error, or DiskFull when the device took fewer bytes.
    static platform::SysError write(const std::string& path, std::string_view content);
    // Reads a file of at most maxSize bytes: 0, the system error, or
    // InvalidData for a larger one (nothing of it read).
    static platform::SysError read(const std::string& path, std::size_t maxSize,
                                   std::string& bytes);
    // Why a file stream failed: the thread's last system error, or fallback
    // when the failure left none.
    static platform::SysError failure(platform::SysError fallback);
};

} // namespace qx
