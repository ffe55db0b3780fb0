#include "model/DocumentKey.h"

#include "platform/FilePath.h"

#include <cstdint>
#include <cstdio>

namespace qx {

std::string documentKey(const std::string& fullPath) {
    // FNV-1a: stable across runs and builds, unlike std::hash.
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : fullPath) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    std::string name = platform::fileNameOf(fullPath);
    if (const std::string::size_type dot = name.rfind('.'); dot != std::string::npos && dot > 0)
        name.erase(dot);
    if (name.empty())
        name = "untitled";
    char tail[16];
    std::snprintf(tail, sizeof tail, "-%08x", static_cast<unsigned>(hash ^ (hash >> 32)));
    return name + tail;
}

} // namespace qx
