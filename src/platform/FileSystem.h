#pragma once

#include "platform/SystemError.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Questions about files and folders that the layers above ask by path, so that
// none of them needs the system's headers.
namespace qx::platform {

// What tells one state of a file from another: a file replaced by a rename has
// a new inode, one written in place a new size or modification time.
struct FileIdentity {
    bool exists = false;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;
    std::int64_t changedNs = 0;
    bool operator==(const FileIdentity&) const = default;
};

// The identity of what the path names now, links followed; exists false when
// it names nothing that can be asked.
FileIdentity identifyFile(const std::string& path);
// Whether two identities are the same file with the same contents as far as
// a writer can tell: the status change time is left out, since it also moves
// when only a link count or a permission does.
bool sameContents(const FileIdentity& a, const FileIdentity& b);

bool isRegularFile(const std::string& path);
bool isFolder(const std::string& path);
// True when the calling user may create files in the folder.
bool isWritableFolder(const std::string& folder);

// The file a path names after links are followed; the path itself when it
// names nothing yet.
std::string resolvedPath(const std::string& path);

// Makes a folder with every missing folder above it, private to the user.
// 0 when it exists as a folder afterwards, else the error (PathNotFound when
// something other than a folder stands in the way).
SysError makeFolders(const std::string& folder);

// Reads a whole file. Success with no bytes for a missing file or a missing
// folder on its path; Directory for a folder, InvalidData for a file larger
// than maxSize (nothing more is read then), else the system's error.
SysError readWholeFile(const std::string& path, std::size_t maxSize, std::string& bytes);

// The names of the regular files in a folder that match a shell pattern (a
// leading dot only matched by a dot), sorted; empty when the folder cannot be
// read.
std::vector<std::string> filesMatching(const std::string& folder, const std::string& pattern);

// The names of the folders in a folder (links to folders count), sorted;
// empty when the folder cannot be read.
std::vector<std::string> subfolders(const std::string& folder);

// The running program's file, links resolved; empty when the system does not
// say.
std::string runningExecutable();

std::uint32_t processId();

// Whether the standard error stream goes to a terminal (progress lines that
// redraw themselves are only for a person watching).
bool standardErrorIsTerminal();

} // namespace qx::platform
