#pragma once

#include <cstdint>
#include <string_view>

namespace qx {

// The wait a Retry-After value asks for, in seconds from nowUnix: a number of
// seconds, or an HTTP date (a date already past gives 0). False for anything
// else, and for a wait that does not fit in 32 bits; any input is safe.
bool RetryAfterSeconds(std::string_view value, std::int64_t nowUnix, std::int64_t& seconds);

} // namespace qx
