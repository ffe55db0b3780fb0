#pragma once

#include "platform/SystemError.h"

#include <string>
#include <string_view>

namespace qx {

// Whole-file reads and crash-safe whole-file replacement.
class AtomicFile {
public:
    // Files larger than this are not read: no settings file grows so large, and
    // reading one whole must not exhaust memory.
    static constexpr std::size_t kMaxReadSize = 16u << 20;

    // Reads the whole file. Success with an empty text for a missing file (or a
    // missing folder on its path);
    // otherwise the failure's code (Directory, InvalidData for an oversized file, ...).
    static platform::SysError read(const std::string& path, std::string& bytes);

    // Replaces the file by a new one holding bytes: a temporary file in the same
    // folder is written, flushed to the disk and renamed over the old one, so
    // that a crash or a full disk leaves either the old file or the new one,
    // never a truncated one. A link is followed to the file it names; an existing
    // file's permission bits are kept. Missing parent folders are created.
    // Returns 0 or the system error code; on failure the old file is untouched
    // and no temporary file is left behind.
    static platform::SysError replace(const std::string& path, std::string_view bytes);
};

} // namespace qx
