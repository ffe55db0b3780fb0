#include "model/PointerIndex.h"

#include <bit>
#include <new>

namespace qx {

namespace {
constexpr std::size_t kFirstCapacity = 64;
} // namespace

PointerIndex::Result PointerIndex::insert(const void* key, std::uint32_t value) {
    if (!key) {
        return {0, false};
    }
    // At most half full, so that probe runs stay short; fuller only when
    // memory ran out, and never without a free slot.
    if ((size_ + 1) * 2 > capacity_ && !grow() && size_ + 1 >= capacity_) {
        return {find(key), false};
    }
    for (std::size_t i = slot(key);; i = (i + 1) & (capacity_ - 1)) {
        if (keys_[i] == key) {
            return {values_[i], false};
        }
        if (!keys_[i]) {
            keys_[i] = key;
            values_[i] = value;
            ++size_;
            return {value, true};
        }
    }
}

std::uint32_t PointerIndex::find(const void* key) const {
    if (!key || !capacity_) {
        return 0;
    }
    for (std::size_t i = slot(key);; i = (i + 1) & (capacity_ - 1)) {
        if (keys_[i] == key) {
            return values_[i];
        }
        if (!keys_[i]) {
            return 0;
        }
    }
}

void PointerIndex::clear() {
    keys_.reset();
    values_.reset();
    capacity_ = 0;
    shift_ = 64;
    size_ = 0;
}

std::size_t PointerIndex::slot(const void* key) const {
    // Fibonacci hashing: the multiplication spreads the aligned low bits of an
    // address over the high bits, which pick the slot.
    const auto bits = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(key));
    return static_cast<std::size_t>((bits * 0x9E3779B97F4A7C15ULL) >> shift_);
}

bool PointerIndex::grow() {
    const std::size_t capacity = capacity_ ? capacity_ * 2 : kFirstCapacity;
    std::unique_ptr<const void*[]> keys(new (std::nothrow) const void*[capacity]());
    std::unique_ptr<std::uint32_t[]> values(new (std::nothrow) std::uint32_t[capacity]);
    if (!keys || !values) {
        return false;
    }
    std::swap(keys, keys_);
    std::swap(values, values_);
    const std::size_t old = capacity_;
    capacity_ = capacity;
    shift_ = 64 - std::countr_zero(capacity);
    size_ = 0;
    for (std::size_t i = 0; i < old; ++i) {
        if (keys[i]) {
            insert(keys[i], values[i]);
        }
    }
    return true;
}

} // namespace qx
