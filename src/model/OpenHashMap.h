#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>

namespace qx {

// A hash map from a pointer or an integer to a non-null pointer or a non-zero
// number, with open addressing and linear probing in one array: no allocation
// per entry, a lookup mostly touches one cache line, and a table sized in
// advance never rehashes. A null (zero) value marks a free slot, so it can
// never be stored.
// Removal shifts the following entries back instead of leaving tombstones,
// so a table that lives through many edits does not slow down.
template <class Key, class Value> class OpenHashMap {
    static_assert(std::is_pointer_v<Value> || std::is_unsigned_v<Value>,
                  "a null or zero value marks a free slot");
    static_assert(std::is_pointer_v<Key> || std::is_integral_v<Key>);

public:
    // The value held for key, or null (zero).
    Value find(Key key) const {
        if (!capacity_) {
            return Value{};
        }
        for (std::size_t i = home(key);; i = (i + 1) & (capacity_ - 1)) {
            const Slot& at = slots_[i];
            if (!at.value) {
                return Value{};
            }
            if (at.key == key) {
                return at.value;
            }
        }
    }

    // Stores value for key, replacing what was held. False (and nothing
    // stored) only for a null value, or when the table is full and memory
    // ran out.
    bool set(Key key, Value value) {
        Slot* at = place(key);
        if (!at || !value) {
            return false;
        }
        if (!at->value) {
            ++size_;
        }
        *at = {key, value};
        return true;
    }

    // Stores value for key and answers what it replaced (null when the key
    // was new, or when nothing could be stored: see set).
    Value exchange(Key key, Value value) {
        Slot* at = value ? place(key) : nullptr;
        if (!at) {
            return Value{};
        }
        Value old = at->value;
        size_ += old ? 0 : 1;
        *at = {key, value};
        return old;
    }

    // The value held for key, or else value, now held for it, and whether it
    // was stored. {null, false} when nothing could be stored (see set).
    std::pair<Value, bool> tryset(Key key, Value value) {
        Slot* at = value ? place(key) : nullptr;
        if (!at) {
            return {Value{}, false};
        }
        if (at->value) {
            return {at->value, false};
        }
        *at = {key, value};
        ++size_;
        return {value, true};
    }

    // Takes key out; nothing when it is absent.
    void erase(Key key) {
        if (!capacity_) {
            return;
        }
        std::size_t hole = home(key);
        for (; slots_[hole].value; hole = (hole + 1) & (capacity_ - 1)) {
            if (slots_[hole].key == key) {
                break;
            }
        }
        if (!slots_[hole].value) {
            return;
        }
        // Every entry of the run after the hole that may live there (its home
        // is not cyclically between the hole and itself) moves into it.
        for (std::size_t i = (hole + 1) & (capacity_ - 1); slots_[i].value;
             i = (i + 1) & (capacity_ - 1)) {
            const std::size_t want = home(slots_[i].key);
            const bool staysput =
                hole <= i ? (hole < want && want <= i) : (hole < want || want <= i);
            if (!staysput) {
                slots_[hole] = slots_[i];
                hole = i;
            }
        }
        slots_[hole] = Slot{};
        --size_;
    }

    // Room for count entries without growing (nothing when memory is short).
    void reserve(std::size_t count) {
        if (count > limit()) {
            rehash(std::bit_ceil(std::max(count + count / 3 + 1, kFirstCapacity)));
        }
    }

    // Takes every entry out but keeps the table's room, for a table that is
    // filled to the same size again and again.
    void empty() {
        if (size_ > 0) {
            std::fill(slots_.get(), slots_.get() + capacity_, Slot{});
        }
        size_ = 0;
    }

    void clear() {
        slots_.reset();
        capacity_ = 0;
        shift_ = 64;
        size_ = 0;
    }

    std::size_t size() const { return size_; }

private:
    static constexpr std::size_t kFirstCapacity = 16;
    // Slots of a table region: one per 16 bytes of a 4 KiB page.
    static constexpr int kRegionBits = 8;
    static constexpr std::size_t kRegion = std::size_t{1} << kRegionBits;

    struct Slot {
        Key key{};
        Value value{};
    };

    // At most three quarters full: probe runs stay short, and a table for a
    // million entries takes two million slots, not four.
    std::size_t limit() const { return capacity_ / 4 * 3; }

    std::size_t home(Key key) const {
        constexpr std::uint64_t kFibonacci = 0x9E3779B97F4A7C15ULL;
        if constexpr (std::is_pointer_v<Key>) {
            const auto address = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(key));
            if (capacity_ > kRegion) {
                // Objects made one after the other lie side by side in memory:
                // those of one 4 KiB page share a region of the table, in the
                // order of their addresses, and the regions of the pages are
                // spread by hashing. Filing a million new objects then walks
                // the table a page at a time instead of missing the cache on
                // every one.
                const std::uint64_t region =
                    ((address >> 12) * kFibonacci) >> (shift_ + kRegionBits);
                return static_cast<std::size_t>(region << kRegionBits |
                                                ((address >> 4) & (kRegion - 1)));
            }
            return static_cast<std::size_t>((address * kFibonacci) >> shift_);
        } else {
            // Fibonacci hashing: the multiplication spreads the low bits, alike
            // in nearby numbers, over the high bits, which pick the slot.
            return static_cast<std::size_t>((static_cast<std::uint64_t>(key) * kFibonacci) >>
                                            shift_);
        }
    }

    // The slot holding key, or the free slot where it goes; null when the
    // table is full and cannot grow.
    Slot* place(Key key) {
        if (size_ + 1 > limit() && !rehash(capacity_ ? capacity_ * 2 : kFirstCapacity) &&
            size_ + 1 >= capacity_) {
            // Fuller than planned is still correct while one slot stays free.
            Slot* held = capacity_ ? lookup(key) : nullptr;
            return held && held->value ? held : nullptr;
        }
        return lookup(key);
    }

    Slot* lookup(Key key) {
        for (std::size_t i = home(key);; i = (i + 1) & (capacity_ - 1)) {
            Slot& at = slots_[i];
            if (!at.value || at.key == key) {
                return &at;
            }
        }
    }

    bool rehash(std::size_t capacity) {
        std::unique_ptr<Slot[]> table(new (std::nothrow) Slot[capacity]());
        if (!table) {
            return false;
        }
        std::swap(table, slots_);
        const std::size_t old = capacity_;
        capacity_ = capacity;
        shift_ = 64 - std::countr_zero(capacity);
        for (std::size_t i = 0; i < old; ++i) {
            if (table[i].value) {
                *lookup(table[i].key) = table[i];
            }
        }
        return true;
    }

    std::unique_ptr<Slot[]> slots_;
    std::size_t capacity_ = 0; // a power of two, or 0
    int shift_ = 64;
    std::size_t size_ = 0;
};

} // namespace qx
