#include "settings/AtomicFile.h"

#include "platform/File.h"
#include "platform/FilePath.h"
#include "platform/FileSystem.h"
#include "platform/ReplacementFile.h"

namespace qx {

using platform::SysError;

SysError AtomicFile::read(const std::string& path, std::string& bytes) {
    return platform::readWholeFile(path, kMaxReadSize, bytes);
}

SysError AtomicFile::replace(const std::string& path, std::string_view bytes) {
    if (SysError e = platform::makeFolders(platform::folderOf(platform::resolvedPath(path))))
        return e;

    platform::setLastError(platform::err::Success);
    platform::ReplacementFile file(path);
    if (!file.ok())
        return platform::lastError();
    platform::FileHandle fd = platform::openFileForWriting(file.path().c_str(), false);
    if (fd == platform::kInvalidFile)
        return platform::lastError();
    const bool written = platform::writeFile(fd, bytes.data(), bytes.size()) ==
                             static_cast<std::int64_t>(bytes.size()) &&
                         platform::syncFile(fd);
    // A failed close can be the first sign of a write that did not reach the disk.
    const bool closed = platform::closeFile(fd);
    if (!written || !closed || !file.commit()) {
        if (platform::lastError() == platform::err::Success)
            platform::setLastError(platform::err::IoDevice);
        return platform::lastError();
    }
    return 0;
}

} // namespace qx
