#pragma once

#include "platform/File.h"
#include "stream/wstreambuf.h"

#include <memory>

namespace qx {

// A file transport over an operating-system file handle; the handle is closed
// with the buffer.
class fwstreambuf : public wstreambuf {
public:
    ~fwstreambuf() override;

    bool isopen() const override;
    int maxblock() const override;
    int read(void* dst, int n) override;
    int write(const void* src, int n) override;
    int seek(int offset, int origin) override;

    // Forces written bytes to the device: 0, or -1 (last error set).
    int sync();
    // Closes the handle now, so that a failure of the close itself is seen:
    // 0, or -1 (last error set). The buffer is not open afterwards.
    int close();

protected:
    explicit fwstreambuf(platform::FileHandle handle) : handle_(handle) {}

private:
    platform::FileHandle handle_;
};

// Opens an existing file for reading.
class ifwstreambuf : public fwstreambuf {
public:
    explicit ifwstreambuf(const char* path);

    // A regular file only (see platform::openRegularFileForReading): what a
    // file:// address opens, where a pipe or device must not block a worker.
    static std::unique_ptr<ifwstreambuf> regularFile(const char* path);

    // A handle opened already (kInvalidFile: not open).
    struct Opened {
        platform::FileHandle handle;
    };
    explicit ifwstreambuf(Opened file) : fwstreambuf(file.handle) {}
};

// Opens a file for writing: create makes or truncates it; otherwise an existing
// file is written from position 0 and keeps the bytes beyond what is written.
class ofwstreambuf : public fwstreambuf {
public:
    ofwstreambuf(const char* path, bool create);
};

} // namespace qx
