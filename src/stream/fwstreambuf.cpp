#include "stream/fwstreambuf.h"

#include "platform/SystemError.h"

#include <climits>

namespace qx {

namespace {
// Streams count in 32 bits; a file position beyond that cannot be told.
int narrow(std::int64_t value) {
    if (value > INT_MAX) {
        platform::setLastError(platform::err::InvalidParameter);
        return -1;
    }
    return static_cast<int>(value);
}
} // namespace

fwstreambuf::~fwstreambuf() {
    if (handle_ != platform::kInvalidFile)
        platform::closeFile(handle_);
}

bool fwstreambuf::isopen() const {
    return handle_ != platform::kInvalidFile;
}

int fwstreambuf::maxblock() const {
    return 0xFFFE;
}

int fwstreambuf::read(void* dst, int n) {
    if (n < 0 || !isopen())
        return -1;
    return static_cast<int>(platform::readFile(handle_, dst, static_cast<std::size_t>(n)));
}

int fwstreambuf::write(const void* src, int n) {
    if (n < 0 || !isopen())
        return -1;
    return static_cast<int>(platform::writeFile(handle_, src, static_cast<std::size_t>(n)));
}

int fwstreambuf::seek(int offset, int origin) {
    if (!isopen())
        return -1;
    return narrow(platform::seekFile(handle_, offset, origin));
}

int fwstreambuf::sync() {
    return isopen() && platform::syncFile(handle_) ? 0 : -1;
}

int fwstreambuf::close() {
    if (!isopen())
        return -1;
    bool closed = platform::closeFile(handle_);
    handle_ = platform::kInvalidFile;
    return closed ? 0 : -1;
}

ifwstreambuf::ifwstreambuf(const char* path) : fwstreambuf(platform::openFileForReading(path)) {}

std::unique_ptr<ifwstreambuf> ifwstreambuf::regularFile(const char* path) {
    return std::make_unique<ifwstreambuf>(Opened{platform::openRegularFileForReading(path)});
}

ofwstreambuf::ofwstreambuf(const char* path, bool create)
    : fwstreambuf(platform::openFileForWriting(path, create)) {}

} // namespace qx
