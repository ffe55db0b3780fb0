#include "exchange/WholeFile.h"

#include "platform/File.h"

#include <cstdio>

namespace qx {

platform::SysError WholeFile::write(const std::string& path, std::string_view content) {
    const platform::FileHandle file = platform::openFileForWriting(path.c_str(), true);
    if (file == platform::kInvalidFile)
        return platform::lastError();
    platform::SysError result = 0;
    const std::int64_t written = platform::writeFile(file, content.data(), content.size());
    if (written < 0)
        result = platform::lastError();
    else if (static_cast<std::size_t>(written) < content.size())
        result = platform::err::DiskFull;
    if (!platform::closeFile(file) && result == 0)
        result = platform::lastError();
    if (result != 0)
        std::remove(path.c_str());
    return result;
}

platform::SysError WholeFile::failure(platform::SysError fallback) {
    const platform::SysError last = platform::lastError();
    return last != 0 ? last : fallback;
}

} // namespace qx
