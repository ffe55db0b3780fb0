#pragma once

#include <cstdint>

namespace qx {

// What a search result adds to a reference: its relevance score and its place
// in the engine's list.
struct OrgProp {
    std::uint16_t fitness = 0;
    std::uint16_t sequence = 0;

    // A repeated result keeps the larger fitness and the smaller sequence.
    void merge(const OrgProp& other);
};

} // namespace qx
