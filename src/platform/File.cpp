#include "platform/File.h"

#include "platform/SystemError.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qx::platform {

namespace {
FileHandle openChecked(const char* path, int flags) {
    if (!path) {
        setLastError(err::InvalidParameter);
        return kInvalidFile;
    }
    int fd;
    do
        fd = ::open(path, flags | O_CLOEXEC, 0666);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        setLastErrorFromErrno();
    return fd;
}
} // namespace

FileHandle openFileForReading(const char* path) {
    FileHandle fd = openChecked(path, O_RDONLY);
    if (fd == kInvalidFile)
        return fd;
    // open() happily opens a folder for reading; every read would then fail.
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        if (S_ISDIR(st.st_mode))
            errno = EISDIR;
        setLastErrorFromErrno();
        ::close(fd);
        return kInvalidFile;
    }
    return fd;
}

FileHandle openRegularFileForReading(const char* path) {
    // Without O_NONBLOCK the open of a pipe waits for a writer.
    FileHandle fd = openChecked(path, O_RDONLY | O_NONBLOCK);
    if (fd == kInvalidFile)
        return fd;
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        setLastErrorFromErrno();
        ::close(fd);
        return kInvalidFile;
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        setLastError(err::NotARegularFile);
        return kInvalidFile;
    }
    // Reads of a regular file never wait anyway; the flag goes for tidiness.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    return fd;
}

FileHandle openFileForWriting(const char* path, bool create) {
    return openChecked(path, create ? O_WRONLY | O_CREAT | O_TRUNC : O_WRONLY);
}

std::int64_t readFile(FileHandle file, void* dst, std::size_t n) {
    auto* out = static_cast<char*>(dst);
    std::size_t done = 0;
    // A pipe or a signal may deliver less than asked; callers take a short
    // count for the end of the data, so keep reading until it really is.
    while (done < n) {
        ssize_t got = ::read(file, out + done, n - done);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            setLastErrorFromErrno();
            return done > 0 ? static_cast<std::int64_t>(done) : -1;
        }
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    return static_cast<std::int64_t>(done);
}

std::int64_t writeFile(FileHandle file, const void* src, std::size_t n) {
    const auto* in = static_cast<const char*>(src);
    std::size_t done = 0;
    while (done < n) {
        ssize_t put = ::write(file, in + done, n - done);
        if (put < 0) {
            if (errno == EINTR)
                continue;
            setLastErrorFromErrno();
            return done > 0 ? static_cast<std::int64_t>(done) : -1;
        }
        if (put == 0) {
            setLastError(err::DiskFull);
            break;
        }
        done += static_cast<std::size_t>(put);
    }
    return static_cast<std::int64_t>(done);
}

std::int64_t seekFile(FileHandle file, std::int64_t offset, int origin) {
    static constexpr int kWhence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
    if (origin < 0 || origin > 2) {
        setLastError(err::InvalidParameter);
        return -1;
    }
    off_t at = ::lseek(file, static_cast<off_t>(offset), kWhence[origin]);
    if (at < 0) {
        setLastErrorFromErrno();
        return -1;
    }
    return static_cast<std::int64_t>(at);
}

bool syncFile(FileHandle file) {
    if (::fsync(file) == 0)
        return true;
    setLastErrorFromErrno();
    return false;
}

bool closeFile(FileHandle file) {
    // The descriptor is gone even when close reports an error (Linux), so
    // never retry it; the error still tells of data that did not reach the disk.
    if (::close(file) == 0)
        return true;
    setLastErrorFromErrno();
    return false;
}

} // namespace qx::platform
