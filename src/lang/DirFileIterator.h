#pragma once

#include <string>
#include <vector>

namespace qx {

// Walks the regular files of a folder whose names match a shell pattern
// ("qx???.so"), in name order, yielding those that pass accept().
class DirFileIterator {
public:
    DirFileIterator(std::string folder, const std::string& pattern);
    virtual ~DirFileIterator() = default;
    DirFileIterator(const DirFileIterator&) = delete;
    DirFileIterator& operator=(const DirFileIterator&) = delete;

    // Moves to the next file that passes; false when there is none.
    bool next();
    const std::string& name() const { return names_[current_]; }
    std::string path() const;

protected:
    virtual bool accept(const std::string& path) = 0;

private:
    std::string folder_;
    std::vector<std::string> names_;
    std::size_t current_ = 0;
    std::size_t next_ = 0;
};

} // namespace qx
