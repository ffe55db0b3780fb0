#pragma once

#include "model/FindInfo.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace qx {

// What the find dialog's controls hold when OK is pressed, before it becomes a
// request.
struct FindForm {
    static constexpr std::int32_t kMaxResults = 1000;

    std::string query;
    std::string max;
    std::uint16_t servers = 0;
    bool check = false;
    bool excludeEnabled = false;
    std::string exclude;
    // The chosen mode button 0..3, or -1 for none.
    int mode = -1;

    // Every run of blanks becomes one blank; no blank at either end.
    static std::string normalised(std::string_view text);
    // The field read as an unsigned number; 0, an empty or unreadable field and
    // anything above 1000 give 1000.
    static std::int32_t maxresults(std::string_view text);

    // The accepted request: the normalised texts, the exclusion only while its
    // field is enabled, mode 0 when no button is chosen.
    FindInfo request() const;
};

} // namespace qx
