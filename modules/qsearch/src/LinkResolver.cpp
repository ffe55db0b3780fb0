#include "LinkResolver.h"

#include <curl/curl.h>

#include <memory>
#include <string_view>

namespace qsearch {

namespace {

using UrlHandle = std::unique_ptr<CURLU, decltype(&curl_url_cleanup)>;

std::string part(CURLU* url, CURLUPart which, unsigned flags = 0) {
    char* text = nullptr;
    if (curl_url_get(url, which, &text, flags) != CURLUE_OK)
        return {};
    std::string out(text);
    curl_free(text);
    return out;
}

// The decoded value of one NAME=value parameter among the pieces of a text
// split at the separator, empty when absent.
std::string parameter(std::string_view text, char separator, const std::string& name) {
    while (!text.empty()) {
        const std::size_t end = text.find(separator);
        const std::string_view pair = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        const std::size_t eq = pair.find('=');
        if (eq == std::string_view::npos || pair.substr(0, eq) != name)
            continue;
        const std::string_view value = pair.substr(eq + 1);
        int length = 0;
        char* decoded =
            curl_easy_unescape(nullptr, value.data(), static_cast<int>(value.size()), &length);
        if (!decoded)
            return {};
        std::string out(decoded, static_cast<std::size_t>(length));
        curl_free(decoded);
        return out;
    }
    return {};
}

std::string absolute(const std::string& base, const std::string& link) {
    UrlHandle url(curl_url(), curl_url_cleanup);
    if (!url || link.empty())
        return {};
    if (!base.empty() && curl_url_set(url.get(), CURLUPART_URL, base.c_str(), 0) != CURLUE_OK)
        return {};
    if (curl_url_set(url.get(), CURLUPART_URL, link.c_str(), 0) != CURLUE_OK)
        return {};
    const std::string scheme = part(url.get(), CURLUPART_SCHEME);
    if (scheme != "http" && scheme != "https")
        return {};
    return part(url.get(), CURLUPART_URL);
}

} // namespace

std::string LinkResolver::resolve(const std::string& page, const std::string& link) const {
    std::string trimmed = link;
    const auto first = trimmed.find_first_not_of(" \t\r\n");
    const auto last = trimmed.find_last_not_of(" \t\r\n");
    trimmed = first == std::string::npos ? std::string() : trimmed.substr(first, last - first + 1);
    std::string url = absolute(page, trimmed);
    if (url.empty() || redirectParam_.empty())
        return url;
    UrlHandle parsed(curl_url(), curl_url_cleanup);
    if (!parsed || curl_url_set(parsed.get(), CURLUPART_URL, url.c_str(), 0) != CURLUE_OK)
        return url;
    // Most redirectors carry the target in the query; some in a path piece.
    std::string target =
        absolute({}, parameter(part(parsed.get(), CURLUPART_QUERY), '&', redirectParam_));
    if (target.empty())
        target = absolute({}, parameter(part(parsed.get(), CURLUPART_PATH), '/', redirectParam_));
    return target.empty() ? url : target;
}

} // namespace qsearch
