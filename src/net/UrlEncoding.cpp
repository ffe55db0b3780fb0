#include "net/UrlEncoding.h"

#include <idn2.h>

namespace qx {

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

void appendEscaped(std::string& out, unsigned char c) {
    out += '%';
    out += kHex[c >> 4];
    out += kHex[c & 0x0F];
}

// Bytes that may not stand in an address as they are.
bool mustEscape(unsigned char c) {
    return c <= 0x20 || c >= 0x7F ||
           std::string_view("\"<>\\^`{|}").find(static_cast<char>(c)) != std::string_view::npos;
}

bool beyondAscii(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return true;
    return false;
}

// The IDNA form of a host (UTF-8); the host itself when it has none.
std::string punycodeHost(std::string_view host) {
    const std::string text(host);
    char* ascii = nullptr;
    if (idn2_to_ascii_8z(text.c_str(), &ascii, IDN2_NONTRANSITIONAL) != IDN2_OK || !ascii)
        return text;
    std::string out(ascii);
    idn2_free(ascii);
    return out;
}

// Where the authority of "scheme://host..." or "//host..." begins; npos
// for an address without one (a path, "mailto:...").
std::size_t authorityStart(std::string_view url) {
    if (url.starts_with("//"))
        return 2;
    const std::size_t colon = url.find("://");
    if (colon == 0 || colon == std::string_view::npos)
        return std::string_view::npos;
    for (char c : url.substr(0, colon)) {
        const bool schemeChar = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                                (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
        if (!schemeChar)
            return std::string_view::npos;
    }
    return colon + 3;
}

} // namespace

bool UrlEncoding::isUnreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

std::string UrlEncoding::percentEncode(std::string_view bytes, std::string_view keep) {
    std::string out;
    out.reserve(bytes.size());
    for (char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (isUnreserved(c) || keep.find(ch) != std::string_view::npos)
            out += ch;
        else
            appendEscaped(out, c);
    }
    return out;
}

std::string UrlEncoding::forRequest(std::string_view url) {
    std::string out;
    out.reserve(url.size());
    const std::size_t hostStart = authorityStart(url);
    std::size_t i = 0;
    if (hostStart != std::string_view::npos) {
        std::size_t hostEnd = url.find_first_of("/?#", hostStart);
        if (hostEnd == std::string_view::npos)
            hostEnd = url.size();
        std::string_view authority = url.substr(hostStart, hostEnd - hostStart);
        // user info and port stay as they are; only the name is converted.
        const std::size_t at = authority.rfind('@');
        const std::string_view userinfo =
            at == std::string_view::npos ? std::string_view() : authority.substr(0, at + 1);
        std::string_view host = at == std::string_view::npos ? authority : authority.substr(at + 1);
        std::string_view port;
        if (const std::size_t colon = host.rfind(':');
            colon != std::string_view::npos && host.find(']', colon) == std::string_view::npos) {
            port = host.substr(colon);
            host = host.substr(0, colon);
        }
        out.append(url.substr(0, hostStart));
        out.append(userinfo);
        out.append(beyondAscii(host) ? punycodeHost(host) : std::string(host));
        out.append(port);
        i = hostEnd;
    }
    for (; i < url.size(); ++i) {
        const auto c = static_cast<unsigned char>(url[i]);
        if (mustEscape(c))
            appendEscaped(out, c);
        else
            out += url[i];
    }
    return out;
}

} // namespace qx
