#pragma once

#include <string_view>

namespace qx::platform {

// The runtime's decimal conversion as the settings file and the history entries
// rely on it: decimal digits after an optional sign; no digits read as 0.
// Overflow wraps at 32 bits, without undefined behaviour.
int leadingInteger(std::string_view text);

} // namespace qx::platform
