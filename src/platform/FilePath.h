#pragma once

#include <string>

namespace qx::platform {

// The folder part of a path ("." for a bare name, "/" for a file in the root).
std::string folderOf(const std::string& path);
// The part after the last "/".
std::string fileNameOf(const std::string& path);
// folder + "/" + name, without doubling a trailing "/".
std::string joinPath(const std::string& folder, const std::string& name);

} // namespace qx::platform
