#pragma once

#include <string>

namespace qx {

// The name of a document's own place among the program's kept files (backups,
// recovery): its file name without the extension, a dash and a short hash of
// its full path, so that two documents of one name in different folders never
// share a place, and a person still sees whose it is.
std::string documentKey(const std::string& fullPath);

} // namespace qx
