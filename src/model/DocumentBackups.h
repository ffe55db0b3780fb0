#pragma once

#include "platform/SystemError.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qx {

// Earlier versions of one document, kept as copies of the file in
// DATA/qxseek/backups/<documentKey>/, the date and time of keeping in each
// copy's name. The newest `keep` copies stay.
class DocumentBackups {
public:
    static constexpr int kDefaultKeep = 3;

    // dataHome: $XDG_DATA_HOME (or ~/.local/share); document: its full path.
    DocumentBackups(std::string dataHome, std::string document, int keep = kDefaultKeep);

    const std::string& folder() const { return folder_; }

    // Copies the document file as it is now into a new backup named after the
    // local time nowMs (milliseconds since the epoch), then removes the oldest
    // copies beyond the count kept. 0 also when there is nothing to keep (no
    // file yet, or a count of 0); else the error, the document untouched and
    // no partial copy left.
    platform::SysError keepCopy(std::int64_t nowMs) const;

    // The backups, newest first, as full paths.
    std::vector<std::string> list() const;

private:
    std::string folder_;
    std::string document_;
    int keep_;
};

} // namespace qx
