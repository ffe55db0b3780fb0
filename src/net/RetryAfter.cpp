#include "net/RetryAfter.h"

#include <charconv>
#include <curl/curl.h>
#include <limits>
#include <string>

namespace qx {

bool RetryAfterSeconds(std::string_view value, std::int64_t nowUnix, std::int64_t& seconds) {
    const auto first = value.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return false;
    value = value.substr(first, value.find_last_not_of(" \t") - first + 1);
    constexpr std::int64_t most = std::numeric_limits<std::int32_t>::max();
    if (value.front() >= '0' && value.front() <= '9') {
        std::int64_t number = 0;
        const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), number);
        if (ec != std::errc() || end != value.data() + value.size() || number > most)
            return false;
        seconds = number;
        return true;
    }
    // curl_getdate needs a terminated text; a header line never holds a NUL,
    // but a value that does is not a date either.
    if (value.find('\0') != std::string_view::npos)
        return false;
    const std::string text(value);
    const time_t when = curl_getdate(text.c_str(), nullptr);
    if (when == -1)
        return false;
    const std::int64_t wait = static_cast<std::int64_t>(when) - nowUnix;
    if (wait > most)
        return false;
    seconds = wait < 0 ? 0 : wait;
    return true;
}

} // namespace qx
