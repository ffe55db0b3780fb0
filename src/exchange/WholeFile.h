#pragma once

#include "platform/SystemError.h"

#include <string>
#include <string_view>

namespace qx {

// A small file written in one piece: made or truncated, then the bytes. A file
// that could not be written whole is removed rather than left cut short.
class WholeFile {
public:
    // 0, the system error, or DiskFull when the device took fewer bytes.
    static platform::SysError write(const std::string& path, std::string_view content);
    // Why a file stream failed: the thread's last system error, or fallback
    // when the failure left none.
    static platform::SysError failure(platform::SysError fallback);
};

} // namespace qx
