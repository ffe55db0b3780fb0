#include "doc/FileReplacer.h"

#include "platform/SystemError.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qx::doc {

namespace {

// Where the file really lives: a link is replaced at its target, not by a file.
std::string resolved(const std::string& path) {
    char buffer[PATH_MAX];
    if (::realpath(path.c_str(), buffer))
        return buffer;
    return path;
}

// The new file keeps the old one's permissions, or gets the usual ones.
mode_t modeFor(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0)
        return info.st_mode & 07777;
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

bool syncPath(const std::string& path, int flags) {
    int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0)
        return false;
    bool ok = ::fsync(fd) == 0;
    int saved = errno;
    ::close(fd);
    errno = saved;
    return ok;
}

} // namespace

int FileReplacer::replace(const std::string& path, const Writer& write) {
    const std::string target = resolved(path);
    const auto slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "."
                               : slash == 0               ? "/"
                                                          : target.substr(0, slash);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    std::string temp = folder + "/." + name + ".XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        platform::setLastErrorFromErrno();
        return 1;
    }
    ::fchmod(fd, modeFor(target));
    ::close(fd);

    auto fail = [&](int code) {
        platform::SysError why = platform::lastError();
        ::unlink(temp.c_str());
        platform::setLastError(why);
        return code;
    };

    if (int code = write(temp))
        return fail(code);
    if (!syncPath(temp, O_WRONLY) || ::rename(temp.c_str(), target.c_str()) != 0) {
        platform::setLastErrorFromErrno();
        return fail(1);
    }
    // The rename itself reaches the disk with the folder's entry.
    syncPath(folder, O_RDONLY | O_DIRECTORY);
    return 0;
}

} // namespace qx::doc
