#include "net/httpwstreambuf.h"

#include "net/UrlTransfer.h"
#include "platform/FileTime.h"
#include "platform/SystemError.h"

#include <charconv>
#include <curl/curl.h>
#include <optional>
#include <string>

namespace qx {

namespace {

const char* headerName(std::uint32_t level) {
    switch (level) {
    case query::ContentType:
        return "Content-Type";
    case query::ContentLength:
        return "Content-Length";
    case query::LastModified:
        return "Last-Modified";
    case query::RetryAfter:
        return "Retry-After";
    default:
        return nullptr;
    }
}

// The answer's value of a level as text; the status code is a level of its
// own. Sets the last error when there is none.
std::optional<std::string> levelText(const UrlTransfer* transfer, std::uint32_t level) {
    if (!transfer) {
        platform::setLastError(platform::err::InvalidHandle);
        return std::nullopt;
    }
    // The modifier bits callers may add (as a number, as a date) change
    // nothing here: each query converts for itself.
    level &= query::LevelMask;
    if (level == query::StatusCode)
        return std::to_string(transfer->statusCode());
    const char* name = headerName(level);
    if (!name) {
        platform::setLastError(platform::err::HttpInvalidQueryRequest);
        return std::nullopt;
    }
    if (auto value = transfer->head().value(name))
        return value;
    platform::setLastError(platform::err::HttpHeaderNotFound);
    return std::nullopt;
}

} // namespace

httpwstreambuf::httpwstreambuf(std::shared_ptr<InternetSessionCore> session,
                               std::unique_ptr<UrlTransfer> transfer, std::uintptr_t context,
                               Str verb, Str object)
    : nwstreambuf(std::move(session), std::move(transfer), context, true),
      object_(std::move(object)), verb_(std::move(verb)) {}

bool httpwstreambuf::QueryStatusCode(int& code) const {
    std::uint32_t value = 0;
    if (!QueryInfoNumber(query::StatusCode, value))
        return false;
    code = static_cast<int>(value);
    return true;
}

bool httpwstreambuf::QueryInfoText(std::uint32_t level, Str& text) const {
    const auto value = levelText(transfer(), level);
    if (!value)
        return false;
    text = Str(*value);
    return true;
}

bool httpwstreambuf::QueryInfoNumber(std::uint32_t level, std::uint32_t& value) const {
    const auto text = levelText(transfer(), level);
    if (!text)
        return false;
    std::uint32_t number = 0;
    const auto [end, ec] = std::from_chars(text->data(), text->data() + text->size(), number);
    if (ec != std::errc() || end != text->data() + text->size() || text->empty()) {
        platform::setLastError(platform::err::HttpInvalidHeader);
        return false;
    }
    value = number;
    return true;
}

bool httpwstreambuf::QueryInfoTime(std::uint32_t level, platform::SystemTime& time) const {
    const auto text = levelText(transfer(), level);
    if (!text)
        return false;
    const time_t seconds = curl_getdate(text->c_str(), nullptr);
    platform::SystemTime converted;
    if (seconds == -1 ||
        !platform::fileTimeToSystemTime(platform::fileTimeFromUnix(seconds), converted)) {
        platform::setLastError(platform::err::HttpInvalidHeader);
        return false;
    }
    time = converted;
    return true;
}

} // namespace qx
