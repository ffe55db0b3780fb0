#pragma once

#include "platform/SystemError.h"

#include <string>

namespace qx::platform {

// A fresh folder under the system's temporary folder that only this user can
// open, removed with the files in it when the object goes. For copies that
// must not be seen or changed by anyone else while the program works on them
// (a browser's database read apart from the browser).
class PrivateFolder {
public:
    explicit PrivateFolder(const char* prefix);
    ~PrivateFolder();
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;

    // Empty when the folder could not be made; error() says why.
    const std::string& path() const { return path_; }
    SysError error() const { return error_; }

private:
    std::string path_;
    SysError error_ = 0;
};

// Copies a file's bytes to a new file (made or truncated, private to the
// user): 0 or the system error.
SysError copyFile(const std::string& from, const std::string& to);

} // namespace qx::platform
