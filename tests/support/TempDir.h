#pragma once

#include <string>

namespace qx::test {

// A fresh folder under the system's temporary folder, removed with everything
// in it when the object goes away. When none can be made the constructor
// throws, which fails the test that wanted it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

    // Writes bytes to a file inside the folder; returns its path.
    std::string write(const std::string& name, const std::string& bytes) const;
    // Reads a whole file; empty when it cannot be read.
    static std::string read(const std::string& path);

private:
    std::string path_;
};

} // namespace qx::test
