// An answer's head comes from any server: every byte sequence, cut into lines
// as libcurl cuts them, must be taken without harm, the head must stay within
// its limit, and every header the head keeps must be found again by name.
#include "net/ResponseHead.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    qx::ResponseHead head;
    std::size_t bytes = 0;
    while (!rest.empty()) {
        const auto end = rest.find('\n');
        const std::size_t taken = end == std::string_view::npos ? rest.size() : end + 1;
        std::string_view line = rest.substr(0, taken);
        rest.remove_prefix(taken);
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
            line.remove_suffix(1);
        const auto step = head.feed(line, taken);
        bytes = step == qx::ResponseHead::Step::NewAnswer ? taken : bytes + taken;
        if (step == qx::ResponseHead::Step::TooLarge)
            return 0;
        if (bytes > qx::ResponseHead::kMaxBytes || head.status() < 0 || head.status() > 999)
            std::abort();
    }
    for (const std::string& kept : head.lines()) {
        const auto colon = kept.find(':');
        if (colon != std::string::npos && colon > 0 && kept.find_first_of(" \t") > colon &&
            !head.value(kept.substr(0, colon)))
            std::abort();
    }
    (void)head.value("Content-Type");
    return 0;
}
