#pragma once

#include <cstddef>
#include <cstdint>

// Thin wrappers over the POSIX file calls that the file stream buffers use.
// Every failure sets the calling thread's last system error.
namespace qx::platform {

using FileHandle = int;
inline constexpr FileHandle kInvalidFile = -1;

// Opens an existing file for reading; kInvalidFile on failure. A folder is
// refused like a missing file would be (last error Directory).
//
// Readers do not lock the file against writers: Linux has no mandatory
// deny-write sharing, and an advisory lock would bind only our own writers,
// which by design let others read and write. The streams instead survive a file
// that shrinks under them: a read past the new end simply returns 0.
FileHandle openFileForReading(const char* path);

// Opens a regular file for reading and nothing else: a pipe, device or folder
// fails at once with NotARegularFile, before anything could block on it (a
// pipe without a writer would hold the open forever, a device the reads).
FileHandle openRegularFileForReading(const char* path);

// Opens a file for writing at position 0. create: make the file or truncate an
// existing one; otherwise the file must exist and keeps the bytes beyond what
// is written. Others may still read and write it.
FileHandle openFileForWriting(const char* path, bool create);

// Bytes read (fewer than n only at the end of the file, 0 there), or -1.
std::int64_t readFile(FileHandle file, void* dst, std::size_t n);
// Bytes written (fewer than n only when the device refused the rest), or -1
// when nothing could be written.
std::int64_t writeFile(FileHandle file, const void* src, std::size_t n);
// origin 0 from the start, 1 from the current position, 2 from the end; the
// new position from the start, or -1.
std::int64_t seekFile(FileHandle file, std::int64_t offset, int origin);
// Forces written data to the device.
bool syncFile(FileHandle file);
bool closeFile(FileHandle file);

} // namespace qx::platform
