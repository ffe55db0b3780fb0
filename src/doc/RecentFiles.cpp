#include "doc/RecentFiles.h"

#include "settings/ApplicationProfile.h"

#include <algorithm>

namespace qx::doc {

namespace {
constexpr const char* kSection = "MRU";

std::string keyOf(int index) { return "MRU" + std::to_string(index); }
} // namespace

RecentFiles::RecentFiles(ApplicationProfile& profile) : profile_(profile) {
    for (int i = 0; i < kCapacity; ++i) {
        std::string path = profile_.readString(kSection, keyOf(i), "");
        if (!path.empty() && std::find(paths_.begin(), paths_.end(), path) == paths_.end())
            paths_.push_back(std::move(path));
    }
    profile_.writeInt(kSection, "Count", kCapacity);
}

void RecentFiles::add(const std::string& path) {
    if (path.empty())
        return;
    auto listed = std::find(paths_.begin(), paths_.end(), path);
    if (listed != paths_.end())
        paths_.erase(listed);
    paths_.insert(paths_.begin(), path);
    if (paths_.size() > kCapacity)
        paths_.resize(kCapacity);
    write();
}

std::string RecentFiles::at(int index) const {
    if (index < 0 || index >= static_cast<int>(paths_.size()))
        return {};
    return paths_[static_cast<std::size_t>(index)];
}

void RecentFiles::write() {
    std::vector<std::pair<std::string, std::string>> values;
    for (int i = 0; i < kCapacity; ++i)
        values.emplace_back(keyOf(i), at(i));
    profile_.writeStrings(kSection, values);
}

} // namespace qx::doc
