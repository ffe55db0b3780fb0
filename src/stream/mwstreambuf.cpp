#include "stream/mwstreambuf.h"

#include <climits>
#include <cstdlib>
#include <cstring>

namespace qx {

mwstreambuf::mwstreambuf(int step) : step_(step > 0 ? step : 0) {
    capacity_ = step_ > 0 ? step_ : 1;
    block_ = static_cast<char*>(std::malloc(static_cast<std::size_t>(capacity_)));
    if (!block_)
        capacity_ = 0;
}

mwstreambuf::~mwstreambuf() {
    std::free(block_);
}

int mwstreambuf::write(const void* src, int n) {
    if (!block_ || n < 0 || position_ < 0)
        return -1;
    std::int64_t end = position_ + n;
    if (end > INT_MAX)
        return -1;
    if (end > size_) {
        if (end > capacity_) {
            std::int64_t grown = end;
            if (step_ > 0)
                grown = (end + step_ - 1) / step_ * step_;
            if (grown > INT_MAX)
                grown = end;
            auto* block = static_cast<char*>(std::realloc(block_, static_cast<std::size_t>(grown)));
            if (!block) {
                std::free(block_);
                block_ = nullptr;
                capacity_ = size_ = 0;
                return -1;
            }
            block_ = block;
            capacity_ = static_cast<int>(grown);
        }
        // A seek past the end leaves a gap; zero it rather than let old heap
        // bytes reach a file or the clipboard.
        if (position_ > size_)
            std::memset(block_ + size_, 0, static_cast<std::size_t>(position_ - size_));
        size_ = static_cast<int>(end);
    }
    if (n > 0)
        std::memcpy(block_ + position_, src, static_cast<std::size_t>(n));
    position_ = end;
    return n;
}

} // namespace qx
