#include <cstddef>
#include <cstring>

namespace {
const char kGreeting[] = "Hello from a module\r\nsecond line";
const unsigned char kBanner[] = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x00, 0xFF};
} // namespace

extern "C" int qx_find_resource(const char* name, const char* type, const void** data,
                                std::size_t* size) {
    if (std::strcmp(type, "TEXT") == 0 && std::strcmp(name, "GREETING") == 0) {
        *data = kGreeting;
        *size = sizeof kGreeting - 1;
        return 0;
    }
    if (std::strcmp(type, "GIF") == 0 && std::strcmp(name, "BANNER") == 0) {
        *data = kBanner;
        *size = sizeof kBanner;
        return 0;
    }
    return 1;
}
