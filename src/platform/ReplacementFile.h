#pragma once

#include <string>

namespace qx::platform {

// A new file that is to take the place of another one: it is made in the same
// folder (so that the final rename never crosses file systems), written by the
// caller, and then renamed over the target in one step. A crash, a full disk
// or any other failure before that step leaves the target as it was, and the
// temporary file is removed unless commit succeeded.
class ReplacementFile {
public:
    // Makes the temporary file, with the target's permission bits when the
    // target exists. A link is followed: the file it names is replaced, the
    // link stays. ok() tells whether it worked (last error set when not).
    explicit ReplacementFile(const std::string& target);
    ~ReplacementFile();
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    bool ok() const { return !temp_.empty(); }
    // The temporary file to write; it exists and is empty.
    const std::string& path() const { return temp_; }
    // Renames the temporary file (which the caller has written, flushed and
    // forced to the device) over the target and forces the folder entry to
    // the device: false, with the last error set, when it did not happen.
    bool commit();

private:
    std::string target_;
    std::string temp_;
};

} // namespace qx::platform
