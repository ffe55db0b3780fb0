#include "lang/DirFileIterator.h"

#include "settings/FilePath.h"

#include <algorithm>
#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>

namespace qx {

DirFileIterator::DirFileIterator(std::string folder, const std::string& pattern)
    : folder_(std::move(folder)) {
    if (DIR* dir = ::opendir(folder_.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            if (::fnmatch(pattern.c_str(), entry->d_name, FNM_PERIOD) != 0)
                continue;
            struct stat st {};
            if (::stat(joinPath(folder_, entry->d_name).c_str(), &st) == 0 && S_ISREG(st.st_mode))
                names_.emplace_back(entry->d_name);
        }
        ::closedir(dir);
    }
    std::sort(names_.begin(), names_.end());
}

bool DirFileIterator::next() {
    while (next_ < names_.size()) {
        current_ = next_++;
        if (accept(path()))
            return true;
    }
    return false;
}

std::string DirFileIterator::path() const {
    return joinPath(folder_, names_[current_]);
}

} // namespace qx
