#pragma once

#include <cstdint>
#include <string_view>

namespace qx {

// The kind of service an address names. The numbers are stored and passed
// between layers, so they keep their values.
enum class ServiceKind : std::uint32_t {
    Ftp = 1,
    Gopher = 2,
    Http = 3,
    Unknown = 0x1000,
    File = 0x1001,
    Mailto = 0x1002,
    News = 0x1006,
    Https = 0x100B,
};

// Scheme name (any letter case) -> service kind; unknown schemes give Unknown.
ServiceKind serviceKindOfScheme(std::string_view scheme);

// The reverse: the scheme name of a kind, empty for Unknown and for numbers
// that name no kind.
std::string_view schemeOfServiceKind(ServiceKind kind);

} // namespace qx
