#pragma once

#include <string>
#include <vector>

namespace qx {
class ApplicationProfile;
}

namespace qx::doc {

// The recent-files list: at most 9 document paths, most recent first, kept in
// section "MRU" of the settings file as "MRU0".."MRU8" with "Count".
class RecentFiles {
public:
    static constexpr int kCapacity = 9;

    // Reads the list and writes "Count".
    explicit RecentFiles(ApplicationProfile& profile);

    const std::vector<std::string>& paths() const { return paths_; }
    // Puts a path at the head; a path already listed moves there. Empty paths
    // are not listed.
    void add(const std::string& path);
    // The path of an entry, empty for an index outside the list.
    std::string at(int index) const;

private:
    void write();

    ApplicationProfile& profile_;
    std::vector<std::string> paths_;
};

} // namespace qx::doc
