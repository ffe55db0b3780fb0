#include "stream/memwstreambuf.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace qx {

memwstreambuf::memwstreambuf(void* block, int size)
    : block_(size >= 0 ? static_cast<char*>(block) : nullptr), size_(block_ ? size : 0) {}

bool memwstreambuf::isopen() const {
    return block_ != nullptr;
}

int memwstreambuf::maxblock() const {
    return 0xFFFF;
}

std::int64_t memwstreambuf::available() const {
    // A position before the start is refused like one past the end: reading
    // there would leave the block.
    if (position_ < 0 || position_ > size_)
        return -1;
    return size_ - position_;
}

int memwstreambuf::read(void* dst, int n) {
    std::int64_t room = available();
    if (!isopen() || n < 0 || room < 0)
        return -1;
    int count = static_cast<int>(std::min<std::int64_t>(n, room));
    if (count > 0)
        std::memcpy(dst, block_ + position_, static_cast<std::size_t>(count));
    position_ += count;
    return count;
}

int memwstreambuf::write(const void* src, int n) {
    std::int64_t room = available();
    if (!isopen() || n < 0 || room < 0)
        return -1;
    int count = static_cast<int>(std::min<std::int64_t>(n, room));
    if (count > 0)
        std::memcpy(block_ + position_, src, static_cast<std::size_t>(count));
    position_ += count;
    return count;
}

int memwstreambuf::seek(int offset, int origin) {
    if (!isopen())
        return -1;
    std::int64_t target = position_;
    switch (origin) {
    case 0:
        target = offset;
        break;
    case 1:
        target = position_ + offset;
        break;
    case 2:
        target = std::int64_t{size_} + offset;
        break;
    default:
        break;
    }
    // Past the end is allowed (the next read fails); before the start or
    // beyond what a position can count is not.
    if (target < 0 || target > INT_MAX)
        return -1;
    position_ = target;
    return static_cast<int>(position_);
}

} // namespace qx
