#include "settings/AtomicFile.h"

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
    // Closes now and reports a failed close, which can be the first sign of a
    // write that did not reach the disk.
    bool close() {
        int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

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

// The file that a write must replace: the target of a link, so that a link
// to a settings file kept elsewhere stays a link.
std::string resolveTarget(const std::string& path) {
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved))
        return resolved;
    return path;
}

SysError writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fail();
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
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
    std::string target = resolveTarget(path);
    std::string folder = folderOf(target);
    if (SysError e = makeFolders(folder))
        return e;

    mode_t mode = 0644;
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0)
        mode = old.st_mode & 07777;

    std::string temp = target + ".XXXXXX";
    FileDescriptor fd(::mkstemp(temp.data()));
    if (fd.get() < 0)
        return fail();
    SysError e = 0;
    if (::fchmod(fd.get(), mode) != 0 || (e = writeAll(fd.get(), bytes)) != 0 ||
        ::fsync(fd.get()) != 0 || !fd.close() || ::rename(temp.c_str(), target.c_str()) != 0) {
        if (e == 0)
            e = fail();
        ::unlink(temp.c_str());
        return e;
    }
    // Make the rename itself durable.
    FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        ::fsync(dir.get());
    return 0;
}

} // namespace qx
