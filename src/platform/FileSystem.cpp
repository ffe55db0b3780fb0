#include "platform/FileSystem.h"

#include "platform/FilePath.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace qx::platform {

namespace {

// Closes a descriptor on every path out of a function.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

} // namespace

bool sameContents(const FileIdentity& a, const FileIdentity& b) {
    return a.exists == b.exists && a.device == b.device && a.inode == b.inode && a.size == b.size &&
           a.modifiedNs == b.modifiedNs;
}

FileIdentity identifyFile(const std::string& path) {
    FileIdentity id;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return id;
    id.exists = true;
    id.device = st.st_dev;
    id.inode = st.st_ino;
    id.size = st.st_size;
    id.modifiedNs = st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec;
    id.changedNs = st.st_ctim.tv_sec * 1000000000LL + st.st_ctim.tv_nsec;
    return id;
}

bool isRegularFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool isFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool isWritableFolder(const std::string& folder) {
    return ::access(folder.c_str(), W_OK) == 0;
}

std::string resolvedPath(const std::string& path) {
    char buf[PATH_MAX];
    return ::realpath(path.c_str(), buf) ? std::string(buf) : path;
}

SysError makeFolders(const std::string& folder) {
    struct stat st {};
    if (::stat(folder.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return 0;
        setLastError(err::PathNotFound);
        return err::PathNotFound;
    }
    if (errno != ENOENT)
        return setLastErrorFromErrno();
    const std::string parent = folderOf(folder);
    if (parent != folder)
        if (SysError e = makeFolders(parent))
            return e;
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        return setLastErrorFromErrno();
    return 0;
}

SysError readWholeFile(const std::string& path, std::size_t maxSize, std::string& bytes) {
    bytes.clear();
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0)
        return errno == ENOENT || errno == ENOTDIR ? 0 : setLastErrorFromErrno();
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        return setLastErrorFromErrno();
    if (S_ISDIR(st.st_mode))
        return err::Directory;
    // A pipe or a device would never end, or block the reader for good.
    if (!S_ISREG(st.st_mode))
        return err::InvalidData;
    if (static_cast<std::size_t>(st.st_size) > maxSize)
        return err::InvalidData;
    char buffer[16384];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return setLastErrorFromErrno();
        }
        if (n == 0)
            return 0;
        if (bytes.size() + static_cast<std::size_t>(n) > maxSize)
            return err::InvalidData;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
}

std::vector<std::string> filesMatching(const std::string& folder, const std::string& pattern) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return names;
    while (const dirent* entry = ::readdir(dir)) {
        if (::fnmatch(pattern.c_str(), entry->d_name, FNM_PERIOD) == 0 &&
            isRegularFile(joinPath(folder, entry->d_name)))
            names.emplace_back(entry->d_name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> subfolders(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return names;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != ".." && isFolder(joinPath(folder, entry->d_name)))
            names.emplace_back(name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

std::string runningExecutable() {
    std::vector<char> buffer(4096);
    for (;;) {
        const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0)
            return {};
        if (static_cast<std::size_t>(n) < buffer.size())
            return std::string(buffer.data(), static_cast<std::size_t>(n));
        buffer.resize(buffer.size() * 2);
    }
}

std::uint32_t processId() {
    return static_cast<std::uint32_t>(::getpid());
}

bool standardErrorIsTerminal() {
    return ::isatty(STDERR_FILENO) == 1;
}

} // namespace qx::platform
