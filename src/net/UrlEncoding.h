#pragma once

#include <string>
#include <string_view>

// Percent-encoding of addresses (RFC 3986). Addresses are kept exactly as the
// user or the page gave them; only what goes out (a request, a URI list) is
// encoded, and encoding twice changes nothing.
namespace qx {

class UrlEncoding {
public:
    // The unreserved characters of RFC 3986 (letters, digits, "-._~").
    static bool isUnreserved(unsigned char c);

    // Every byte that is not unreserved and not one of `keep` as "%XX" with
    // upper-case hex digits. For one component: percentEncode(name) for a
    // query value, percentEncode(path, "/") for a path.
    static std::string percentEncode(std::string_view bytes, std::string_view keep = {});

    // An address as it can be requested: every byte no address may hold
    // (controls, the blank, bytes beyond ASCII, and " < > \ ^ ` { | }) is
    // percent-encoded where it stands, while "%" and the delimiters are left
    // alone, so that an address that is valid already comes out unchanged;
    // a host beyond ASCII (UTF-8) becomes its IDNA (punycode) form when it
    // has one. Works on relative references too (a redirect's
    // Location). Any input is safe.
    static std::string forRequest(std::string_view url);
};

} // namespace qx
