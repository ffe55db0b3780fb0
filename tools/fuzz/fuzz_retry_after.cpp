// A busy server's Retry-After value decides how long a check waits: any bytes
// give an answer or a refusal, and an answer is never negative.
#include "net/RetryAfter.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view value(reinterpret_cast<const char*>(data), size);
    std::int64_t seconds = -1;
    if (qx::RetryAfterSeconds(value, 1700000000, seconds) && seconds < 0)
        __builtin_trap();
    return 0;
}
