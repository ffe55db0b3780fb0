#pragma once

#include <string>
#include <vector>

namespace qx::platform {

// The names of the folders in a folder (links to folders count), sorted;
// empty when it cannot be read. "." and ".." are not among them.
std::vector<std::string> subfolders(const std::string& folder);

// What a path names now, links followed.
bool isFolder(const std::string& path);
bool isFile(const std::string& path);

} // namespace qx::platform
