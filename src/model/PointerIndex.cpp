#include "model/PointerIndex.h"

#include <algorithm>
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
        Slot& at = slots_[i];
        if (at.key == key) {
            return {at.value, false};
        }
        if (!at.key) {
            at = {key, value};
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
        const Slot& at = slots_[i];
        if (at.key == key) {
            return at.value;
        }
        if (!at.key) {
            return 0;
        }
    }
}

void PointerIndex::clear() {
    if (size_ > 0) {
        std::fill(slots_.get(), slots_.get() + capacity_, Slot{nullptr, 0});
    }
    size_ = 0;
}

std::size_t PointerIndex::slot(const void* key) const {
    // Fibonacci hashing: the multiplication spreads the aligned low bits of an
    // address over the high bits, which pick the slot.
    const auto bits = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(key));
    return static_cast<std::size_t>((bits * 0x9E3779B97F4A7C15ULL) >> shift_);
}

void PointerIndex::reserve(std::size_t count) {
    if (count * 2 > capacity_) {
        rehash(std::bit_ceil(std::max(count * 2, kFirstCapacity)));
    }
}

bool PointerIndex::grow() {
    return rehash(capacity_ ? capacity_ * 2 : kFirstCapacity);
}

bool PointerIndex::rehash(std::size_t capacity) {
    std::unique_ptr<Slot[]> slots(new (std::nothrow) Slot[capacity]());
    if (!slots) {
        return false;
    }
    std::swap(slots, slots_);
    const std::size_t old = capacity_;
    capacity_ = capacity;
    shift_ = 64 - std::countr_zero(capacity);
    size_ = 0;
    for (std::size_t i = 0; i < old; ++i) {
        if (slots[i].key) {
            insert(slots[i].key, slots[i].value);
        }
    }
    return true;
}

} // namespace qx
