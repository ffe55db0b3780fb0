#include "platform/DecimalText.h"

#include <cstdint>

namespace qx::platform {

int leadingInteger(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::uint32_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        value = value * 10u + static_cast<std::uint32_t>(c - '0');
    }
    if (negative)
        value = 0u - value;
    return static_cast<int>(value);
}

} // namespace qx::platform
