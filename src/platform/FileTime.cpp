#include "platform/FileTime.h"

#include "platform/SystemError.h"

#include <ctime>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>

namespace qx::platform {

namespace {
constexpr std::int64_t kTicksPerSecond = 10'000'000;
constexpr std::int64_t kEpochSeconds =
    static_cast<std::int64_t>(kUnixEpochFileTime) / kTicksPerSecond;
} // namespace

FileTime fileTimeFromUnix(std::int64_t seconds, std::uint32_t nanoseconds) {
    constexpr FileTime kMax = std::numeric_limits<FileTime>::max();
    if (seconds < -kEpochSeconds)
        return 0;
    if (seconds > std::numeric_limits<std::int64_t>::max() - kEpochSeconds)
        return kMax;
    auto sinceEpoch = static_cast<std::uint64_t>(seconds + kEpochSeconds);
    if (sinceEpoch > kMax / kTicksPerSecond - 1)
        return kMax;
    return sinceEpoch * kTicksPerSecond + (nanoseconds % 1'000'000'000u) / 100;
}

std::int64_t unixFromFileTime(FileTime time, std::uint32_t* nanoseconds) {
    if (nanoseconds)
        *nanoseconds = static_cast<std::uint32_t>(time % kTicksPerSecond) * 100;
    return static_cast<std::int64_t>(time / kTicksPerSecond) - kEpochSeconds;
}

FileTime currentFileTime() {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return fileTimeFromUnix(now.tv_sec, static_cast<std::uint32_t>(now.tv_nsec));
}

bool fileModificationTime(const char* path, FileTime* time) {
    struct stat st {};
    if (!path || ::stat(path, &st) != 0) {
        if (path)
            setLastErrorFromErrno();
        else
            setLastError(err::InvalidParameter);
        return false;
    }
    *time = fileTimeFromUnix(st.st_mtim.tv_sec, static_cast<std::uint32_t>(st.st_mtim.tv_nsec));
    return true;
}

bool setFileModificationTime(const char* path, FileTime time) {
    if (!path) {
        setLastError(err::InvalidParameter);
        return false;
    }
    std::uint32_t nanoseconds = 0;
    timespec times[2]{};
    times[0].tv_sec = static_cast<time_t>(unixFromFileTime(time, &nanoseconds));
    times[0].tv_nsec = static_cast<long>(nanoseconds);
    times[1] = times[0];
    if (::utimensat(AT_FDCWD, path, times, 0) != 0) {
        setLastErrorFromErrno();
        return false;
    }
    return true;
}

} // namespace qx::platform
