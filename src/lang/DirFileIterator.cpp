#include "lang/DirFileIterator.h"

#include "platform/FilePath.h"
#include "platform/FileSystem.h"

#include <utility>

namespace qx {

DirFileIterator::DirFileIterator(std::string folder, const std::string& pattern)
    : folder_(std::move(folder)), names_(platform::filesMatching(folder_, pattern)) {}

bool DirFileIterator::next() {
    while (next_ < names_.size()) {
        current_ = next_++;
        if (accept(path()))
            return true;
    }
    return false;
}

std::string DirFileIterator::path() const {
    return platform::joinPath(folder_, names_[current_]);
}

} // namespace qx
