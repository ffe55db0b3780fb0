// Settings files are written by hand as often as by the program: any bytes
// must parse, rewrite and parse again to the same lines, with every lookup safe.
#include "settings/IniFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    qx::IniFile ini = qx::IniFile::parse(bytes);
    std::string once = ini.serialize();
    if (qx::IniFile::parse(once).serialize() != once)
        std::abort();

    // Look up and change names taken from the input itself.
    std::string_view section = bytes.substr(0, size / 3);
    std::string_view key = bytes.substr(size / 3, size / 3);
    (void)ini.find(section, key);
    ini.set(section, key, "v");
    auto found = qx::IniFile::parse(ini.serialize()).find(section, key);
    (void)found;
    ini.removeSection(section);
    (void)ini.serialize();
    return 0;
}
