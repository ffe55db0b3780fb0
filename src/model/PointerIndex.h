#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace qx {

// A hash table from pointers to identifiers, open addressing with linear
// probing. Writing a document looks up every object and every node's target
// in it, so it is built for that one job: no removal, null never a key.
class PointerIndex {
public:
    struct Result {
        std::uint32_t value; // the value now held for the key
        bool added;          // the key was new
    };

    // The value held for key, or else value, now held for it. A null key, or
    // a table that cannot grow for lack of memory, gives {0, false}.
    Result insert(const void* key, std::uint32_t value);
    // The value held for key, 0 when there is none.
    std::uint32_t find(const void* key) const;
    // Empties the table. Its memory stays for the next document written: giving
    // tens of megabytes back and faulting them in again on every save costs
    // more than the lookups themselves.
    void clear();
    // Room for count keys without growing (nothing when memory is short).
    void reserve(std::size_t count);
    std::size_t size() const { return size_; }

private:
    std::size_t slot(const void* key) const;
    bool grow();
    // Moves the keys into a table of the given capacity (a power of two).
    bool rehash(std::size_t capacity);

    // Key and value side by side: a probe costs one cache line, not two.
    struct Slot {
        const void* key;
        std::uint32_t value;
    };
    std::unique_ptr<Slot[]> slots_;
    std::size_t capacity_ = 0; // a power of two, or 0
    int shift_ = 64;
    std::size_t size_ = 0;
};

} // namespace qx
