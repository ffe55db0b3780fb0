#include "settings/AtomicFile.h"

#include "platform/File.h"
#include "platform/ReplacementFile.h"
#include "settings/FilePath.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qx {

using platform::SysError;

namespace {

// Closes a descriptor on every path out of a function.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

SysError fail() {
    return platform::setLastErrorFromErrno();
}

// mkdir -p for the folder of a file, private to the user, as a configuration
// folder should be.
SysError makeFolders(const std::string& folder) {
    struct stat st {};
    if (::stat(folder.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return 0;
        platform::setLastError(platform::err::PathNotFound);
        return platform::err::PathNotFound;
    }
    if (errno != ENOENT)
        return fail();
    std::string parent = folderOf(folder);
    if (parent != folder)
        if (SysError e = makeFolders(parent))
            return e;
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        return fail();
    return 0;
}

} // namespace

SysError AtomicFile::read(const std::string& path, std::string& bytes) {
    bytes.clear();
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0)
        return errno == ENOENT || errno == ENOTDIR ? 0 : fail();
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        return fail();
    if (S_ISDIR(st.st_mode))
        return platform::err::Directory;
    if (static_cast<std::size_t>(st.st_size) > kMaxReadSize)
        return platform::err::InvalidData;
    char buffer[16384];
    for (;;) {
        ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fail();
        }
        if (n == 0)
            return 0;
        if (bytes.size() + static_cast<std::size_t>(n) > kMaxReadSize)
            return platform::err::InvalidData;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
}

SysError AtomicFile::replace(const std::string& path, std::string_view bytes) {
    char resolved[PATH_MAX];
    const std::string target = ::realpath(path.c_str(), resolved) ? resolved : path;
    if (SysError e = makeFolders(folderOf(target)))
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
