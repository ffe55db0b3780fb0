#pragma once

#include <functional>
#include <string>

namespace qx::doc {

// Writes a file so that a failure never costs the old one: the new content goes
// to a temporary file in the same folder, which is flushed to the disk and then
// renamed over the old file. On any failure the old file stays as it was and the
// temporary file is removed. The thread's last system error tells why.
class FileReplacer {
public:
    // Writes the whole content to the path it is given; returns 0 on success.
    using Writer = std::function<int(const std::string& path)>;

    // 0 on success, else the writer's non-zero result or 1.
    static int replace(const std::string& path, const Writer& write);
};

} // namespace qx::doc
