#include "net/SplitUrl.h"

#include <curl/curl.h>

#include <charconv>
#include <memory>

namespace qx {
namespace {

struct CurlUrlDeleter {
    void operator()(CURLU* url) const { curl_url_cleanup(url); }
};
using CurlUrl = std::unique_ptr<CURLU, CurlUrlDeleter>;

// Reads one part; false when the address has no such part.
bool getPart(CURLU* url, CURLUPart what, std::string& out, unsigned flags = 0) {
    char* text = nullptr;
    if (curl_url_get(url, what, &text, flags) != CURLUE_OK || text == nullptr)
        return false;
    out = text;
    curl_free(text);
    return true;
}

// Browser-mode canonicalising leaves the query and fragment as they are, so
// backslashes count as separators only before them.
std::string slashesBeforeQuery(std::string_view url) {
    std::string text(url);
    std::size_t end = text.find_first_of("?#");
    for (std::size_t i = 0; i < text.size() && i < end; ++i)
        if (text[i] == '\\')
            text[i] = '/';
    return text;
}

std::string escapePath(std::string_view path) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(path.size());
    for (char c : path) {
        auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte >= 0x7F) {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0F];
        } else {
            out += c;
        }
    }
    return out;
}

// mailto: and news: addresses carry no authority, which the hierarchical
// parser refuses; they are split by hand into the kind and the rest.
bool splitOpaque(std::string_view url, UrlParts& parts) {
    std::size_t colon = url.find(':');
    if (colon == std::string_view::npos)
        return false;
    ServiceKind kind = serviceKindOfScheme(url.substr(0, colon));
    if (kind != ServiceKind::Mailto && kind != ServiceKind::News)
        return false;
    std::string_view rest = url.substr(colon + 1);
    parts.service = kind;
    parts.host.clear();
    parts.path.assign(rest.substr(0, rest.find('#')));
    parts.port = 0;
    return true;
}

} // namespace

bool SplitUrl(std::string_view url, UrlParts& parts) {
    parts = UrlParts{};
    if (url.empty() || url.find('\0') != std::string_view::npos)
        return false;
    if (splitOpaque(url, parts))
        return true;

    CurlUrl handle(curl_url());
    if (!handle)
        return false;
    std::string text = slashesBeforeQuery(url);
    if (curl_url_set(handle.get(), CURLUPART_URL, text.c_str(),
                     CURLU_NON_SUPPORT_SCHEME | CURLU_ALLOW_SPACE) != CURLUE_OK)
        return false;

    std::string scheme;
    std::string path;
    if (!getPart(handle.get(), CURLUPART_SCHEME, scheme) ||
        !getPart(handle.get(), CURLUPART_PATH, path))
        return false;
    std::string port;
    std::string query;
    getPart(handle.get(), CURLUPART_HOST, parts.host);
    bool hasPort = getPart(handle.get(), CURLUPART_PORT, port, CURLU_DEFAULT_PORT);
    bool hasQuery = getPart(handle.get(), CURLUPART_QUERY, query);

    std::uint16_t number = 0;
    if (hasPort) {
        auto [end, ec] = std::from_chars(port.data(), port.data() + port.size(), number);
        if (ec != std::errc{} || end != port.data() + port.size()) {
            parts = UrlParts{};
            return false;
        }
    }
    parts.service = serviceKindOfScheme(scheme);
    parts.path = escapePath(path);
    if (hasQuery)
        parts.path += '?' + query;
    parts.port = number;
    return true;
}

} // namespace qx
