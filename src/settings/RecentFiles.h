#pragma once

#include <string>
#include <vector>

namespace qx {

class ApplicationProfile;

// The recent-files list in section "MRU": "Count" holds its size (9), keys
// "MRU0".."MRU8" the document paths, most recent first; unused keys are empty.
class RecentFiles {
public:
    static constexpr int kMaxEntries = 9;
    static constexpr unsigned kFirstCommand = 31990;

    // Writes "Count", as the list does each time the program starts.
    explicit RecentFiles(ApplicationProfile& profile);

    // The listed paths, most recent first (empty keys skipped).
    std::vector<std::string> entries() const;
    // Puts a path at the head; a path already listed moves there, the last
    // entry falls off a full list.
    void add(const std::string& path);
    // Removes the entry at an index; the later entries move up.
    void remove(int index);

    // The path of a recent-files command; empty for a command outside the list.
    std::string pathForCommand(unsigned command) const;
    // The file menu's text of an entry: "&<number> <path>", numbered from 1.
    static std::string menuText(int index, const std::string& path);

private:
    void store(const std::vector<std::string>& paths);

    ApplicationProfile& profile_;
};

} // namespace qx
