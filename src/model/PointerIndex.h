#pragma once

#include "model/OpenHashMap.h"

#include <cstddef>
#include <cstdint>

namespace qx {

// A hash table from pointers to identifiers. Writing a document looks up every
// object and every node's target in it, so it is built for that one job: null
// is never a key and 0 never an identifier.
class PointerIndex {
public:
    struct Result {
        std::uint32_t value; // the value now held for the key
        bool added;          // the key was new
    };

    // The value held for key, or else value, now held for it. A null key or
    // value, or a table that cannot grow for lack of memory, gives {0, false}.
    Result insert(const void* key, std::uint32_t value);
    // The value held for key, 0 when there is none.
    std::uint32_t find(const void* key) const { return key ? ids_.find(key) : 0; }
    // Empties the table. Its memory stays for the next document written: giving
    // tens of megabytes back and faulting them in again on every save costs
    // more than the lookups themselves.
    void clear() { ids_.empty(); }
    // Room for count keys without growing (nothing when memory is short).
    void reserve(std::size_t count) { ids_.reserve(count); }
    std::size_t size() const { return ids_.size(); }

private:
    OpenHashMap<const void*, std::uint32_t> ids_;
};

} // namespace qx
