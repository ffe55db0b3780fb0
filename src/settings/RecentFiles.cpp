#include "settings/RecentFiles.h"

#include "settings/ApplicationProfile.h"

#include <algorithm>

namespace qx {

namespace {
constexpr const char* kSection = "MRU";
std::string keyOf(int index) {
    return "MRU" + std::to_string(index);
}
} // namespace

RecentFiles::RecentFiles(ApplicationProfile& profile) : profile_(profile) {
    profile_.writeInt(kSection, "Count", kMaxEntries);
}

std::vector<std::string> RecentFiles::entries() const {
    std::vector<std::string> paths;
    for (int i = 0; i < kMaxEntries; ++i) {
        std::string path = profile_.readString(kSection, keyOf(i), "");
        if (!path.empty())
            paths.push_back(std::move(path));
    }
    return paths;
}

void RecentFiles::store(const std::vector<std::string>& paths) {
    std::vector<std::pair<std::string, std::string>> keys;
    for (int i = 0; i < kMaxEntries; ++i)
        keys.emplace_back(keyOf(i), i < static_cast<int>(paths.size()) ? paths[i] : "");
    profile_.writeStrings(kSection, keys);
}

void RecentFiles::add(const std::string& path) {
    if (path.empty())
        return;
    std::vector<std::string> paths = entries();
    std::erase(paths, path);
    paths.insert(paths.begin(), path);
    if (paths.size() > kMaxEntries)
        paths.resize(kMaxEntries);
    store(paths);
}

void RecentFiles::remove(int index) {
    std::vector<std::string> paths = entries();
    if (index < 0 || index >= static_cast<int>(paths.size()))
        return;
    paths.erase(paths.begin() + index);
    store(paths);
}

std::string RecentFiles::pathForCommand(unsigned command) const {
    if (command < kFirstCommand)
        return {};
    std::vector<std::string> paths = entries();
    unsigned index = command - kFirstCommand;
    return index < paths.size() ? paths[index] : std::string();
}

std::string RecentFiles::menuText(int index, const std::string& path) {
    return "&" + std::to_string(index + 1) + " " + path;
}

} // namespace qx
