#pragma once

#include <string>
#include <string_view>

namespace qx::exchange {

// Addresses as other programs read them. The document keeps an address as the
// user or the page gave it, often raw UTF-8; a URI list and a browser want
// ASCII.
class UriText {
public:
    // The address as an RFC 3986 URI: a host with non-ASCII labels in
    // punycode ("xn--"), every other byte outside the URI characters
    // percent-encoded; an escape already there stays as it is.
    static std::string encoded(std::string_view url);
    // One label in punycode without its "xn--" prefix; false for text that is
    // not valid UTF-8.
    static bool punycode(std::string_view label, std::string& out);
    // UTF-8 as little-endian UTF-16, bytes that are not UTF-8 as U+FFFD.
    static std::string utf16le(std::string_view text);
};

} // namespace qx::exchange
