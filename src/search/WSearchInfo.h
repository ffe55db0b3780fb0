#pragma once

#include "platform/DateTime.h"
#include "stream/Str.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

struct WSearchItem;

namespace qx {

// One result item inside the program, copied from what the search module
// handed over. The module's texts need not be terminated within reason, so
// every text is read with a cap.
struct WSearchInfo {
    static constexpr std::size_t kTextCap = 64 * 1024;
    // Level texts and charset names.
    static constexpr std::size_t kNameCap = 64;

    // The engine bit of the worker; 0 for an engine not in the table.
    std::uint32_t server = 0;
    // The number of ":" in the level text: 0 the engine's summary, 1 a result
    // or a heading, 2 a result under the last heading.
    std::uint32_t level = 0;
    Str url;
    Str title;
    // All zero when the module gave none.
    platform::SystemTime date;
    std::uint32_t charset = 0;
    // The page size; 0 for a summary, whose size is the engine's hit count.
    std::int32_t size = 0;
    std::uint32_t fitness = 0;
    // The worker's count of level-1 items when this one came.
    std::uint32_t sequence = 0;

    // A copy of the module's item for a worker of this engine bit; a summary
    // (level 0) keeps no size. Texts are cut at their caps.
    static WSearchInfo fromitem(const WSearchItem& item, std::uint32_t server, std::uint32_t level,
                                std::uint32_t sequence);
    // Whether an item's address may be filed: http or https, no control
    // characters. A module's other addresses (javascript:, file:, ...) are
    // dropped with their items.
    static bool fileableurl(std::string_view url);
    // A title with its control characters removed; tabs and line ends become
    // blanks.
    static Str cleantitle(std::string_view title);
    // The level of a level text read up to kNameCap bytes; null counts as 0.
    static std::uint32_t countlevel(const char* leveltext);
    // A text read up to its terminator or cap bytes; null reads as empty.
    static Str capped(const char* text, std::size_t cap);
};

} // namespace qx
