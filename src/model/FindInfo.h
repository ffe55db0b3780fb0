#pragma once

#include "settings/SearchSettings.h"
#include "stream/Str.h"

#include <cstdint>

namespace qx {

class iwstream;
class owstream;

// A search request, as the find dialog composes it and every saved search keeps
// it. A plain record: copies duplicate the texts.
struct FindInfo {
    static constexpr std::uint16_t kDefaultServers = kDesignEngineMask;
    static constexpr std::int32_t kDefaultMax = 100;

    // The query with runs of blanks collapsed and the ends trimmed.
    Str query;
    // Results wanted per engine.
    std::int32_t max = kDefaultMax;
    // The engines to ask, one bit each.
    std::uint16_t servers = kDefaultServers;
    // Check each newly found reference right away.
    bool check = false;
    // How the query words combine (0..3), passed to the search module as it is.
    std::int32_t queryMode = 0;
    // Words to exclude, normalised like the query.
    Str exclude;

    // Stored form: query, max (32), servers (16), check (8), queryMode (8),
    // exclude. Any non-zero check byte reads as true. The stream's state tells
    // whether it worked.
    void write(owstream& out) const;
    void read(iwstream& in);
};

} // namespace qx
