// A lock file may hold anything a crash, another version or another person
// left there: any bytes give a holder that reads back the same, or none.
#include "platform/DocumentLock.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using qx::platform::LockOwner;
    const LockOwner owner =
        LockOwner::parse(std::string_view(reinterpret_cast<const char*>(data), size));
    if (owner.known) {
        const LockOwner again = LockOwner::parse(owner.line());
        if (!again.known || again.line() != owner.line() || owner.pid == 0)
            __builtin_trap();
    }
    return 0;
}
