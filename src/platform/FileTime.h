#pragma once

#include <cstdint>

// File times as the stored formats keep them: a 64-bit count of 100-nanosecond
// intervals since 1601-01-01 00:00 UTC.
namespace qx::platform {

using FileTime = std::uint64_t;

// 1970-01-01 00:00 UTC as a file time.
inline constexpr FileTime kUnixEpochFileTime = 116444736000000000ULL;

// POSIX time (seconds and nanoseconds since 1970) to a file time; times before
// 1601 give 0, times beyond the range give the largest file time.
FileTime fileTimeFromUnix(std::int64_t seconds, std::uint32_t nanoseconds = 0);
// A file time to POSIX seconds (rounded down), with the rest in nanoseconds
// when asked for.
std::int64_t unixFromFileTime(FileTime time, std::uint32_t* nanoseconds = nullptr);

// The present moment.
FileTime currentFileTime();

// The last modification time of a file; false (and the last error set) when the
// file cannot be examined.
bool fileModificationTime(const char* path, FileTime* time);
// Sets a file's last access and modification times; false (and the last error
// set) when it cannot. The system keeps no settable creation time.
bool setFileModificationTime(const char* path, FileTime time);

} // namespace qx::platform
