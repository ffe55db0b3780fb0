#pragma once

#include <string>
#include <string_view>

namespace qx::exchange {

// Addresses as other programs read them. The document keeps an address as the
// user or the page gave it, often raw UTF-8; a URI list and a browser want
// ASCII.
class UriText {
public:
    // The address as an RFC 3986 URI, as the network layer requests it: a
    // host with non-ASCII labels in its IDNA form, every other byte outside
    // the URI characters percent-encoded; an escape already there stays.
    static std::string encoded(std::string_view url);
    // UTF-8 as little-endian UTF-16, bytes that are not UTF-8 as U+FFFD.
    static std::string utf16le(std::string_view text);
};

} // namespace qx::exchange
