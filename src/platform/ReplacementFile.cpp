#include "platform/ReplacementFile.h"

#include "platform/FilePath.h"
#include "platform/FileSystem.h"
#include "platform/SystemError.h"

#include <cerrno>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace qx::platform {

namespace {

bool syncfolder(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

} // namespace

ReplacementFile::ReplacementFile(const std::string& target) : target_(resolvedPath(target)) {
    struct stat old {};
    const bool exists = ::stat(target_.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode)) {
        errno = EISDIR;
        setLastErrorFromErrno();
        return;
    }
    std::string::size_type slash = target_.rfind('/');
    std::string stem =
        folderOf(target_) + "/." + target_.substr(slash == std::string::npos ? 0 : slash + 1) + ".";
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string candidate = stem + std::to_string(random() % 1000000000u) + ".tmp";
        int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST || errno == EINTR) {
                continue;
            }
            break;
        }
        // The new file keeps what the owner allowed on the old one.
        bool kept = !exists || ::fchmod(fd, old.st_mode & 07777) == 0;
        int saved = errno;
        ::close(fd);
        if (!kept) {
            ::unlink(candidate.c_str());
            errno = saved;
            break;
        }
        temp_ = candidate;
        return;
    }
    setLastErrorFromErrno();
}

ReplacementFile::~ReplacementFile() {
    if (!temp_.empty()) {
        ::unlink(temp_.c_str());
    }
}

bool ReplacementFile::commit() {
    if (temp_.empty()) {
        setLastError(err::InvalidHandle);
        return false;
    }
    if (::rename(temp_.c_str(), target_.c_str()) != 0) {
        setLastErrorFromErrno();
        return false;
    }
    temp_.clear();
    // The rename is done; a folder that cannot be forced to the device only
    // leaves the new entry to the system's own schedule.
    syncfolder(folderOf(target_));
    return true;
}

} // namespace qx::platform
