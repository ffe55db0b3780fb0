#include "net/iurlwstream.h"

#include "net/httpwstreambuf.h"
#include "platform/SystemError.h"

namespace qx {

namespace {

const httpwstreambuf* httpBuffer(wstreambuf* buf) {
    const auto* http = dynamic_cast<const httpwstreambuf*>(buf);
    if (!http)
        platform::setLastError(platform::err::InternetIncorrectHandleType);
    return http;
}

} // namespace

iurlwstream::iurlwstream(std::unique_ptr<wstreambuf> buf) : wstream(), ibwstream(kBufferSize) {
    adopt(std::move(buf));
}

bool iurlwstream::IsHttp() const {
    return dynamic_cast<httpwstreambuf*>(rdbuf()) != nullptr;
}

bool iurlwstream::QueryStatusCode(int& code) const {
    const auto* http = httpBuffer(rdbuf());
    return http && http->QueryStatusCode(code);
}

bool iurlwstream::QueryInfoText(std::uint32_t level, Str& text) const {
    const auto* http = httpBuffer(rdbuf());
    return http && http->QueryInfoText(level, text);
}

bool iurlwstream::QueryInfoTime(std::uint32_t level, platform::SystemTime& time) const {
    const auto* http = httpBuffer(rdbuf());
    return http && http->QueryInfoTime(level, time);
}

bool iurlwstream::QueryInfoNumber(std::uint32_t level, std::uint32_t& value) const {
    const auto* http = httpBuffer(rdbuf());
    return http && http->QueryInfoNumber(level, value);
}

bool iurlwstream::QueryMovedUrl(Str& url) const {
    const auto* net = dynamic_cast<const nwstreambuf*>(rdbuf());
    if (!net) {
        url.clear();
        return false;
    }
    return net->QueryMovedUrl(url);
}

bool iurlwstream::QueryFinalUrl(Str& url) const {
    const auto* net = dynamic_cast<const nwstreambuf*>(rdbuf());
    if (!net) {
        platform::setLastError(platform::err::InternetIncorrectHandleType);
        url.clear();
        return false;
    }
    return net->QueryFinalUrl(url);
}

} // namespace qx
