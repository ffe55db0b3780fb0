#include "net/CInternetSession.h"

#include "net/InternetSessionCore.h"
#include "net/SplitUrl.h"
#include "net/UrlEncoding.h"
#include "net/gopherwstreambuf.h"
#include "net/httpwstreambuf.h"
#include "platform/SystemError.h"
#include "stream/fwstreambuf.h"

#include <cstring>
#include <curl/curl.h>
#include <vector>

namespace qx {

namespace {

std::optional<std::string> proxyFor(std::uint32_t accessType, const char* proxy) {
    switch (accessType) {
    case access::Direct:
        return std::string(); // no proxy, whatever the environment says
    case access::Proxy:
        return std::string(proxy ? proxy : "");
    default:
        return std::nullopt;
    }
}

std::vector<std::string> headerLines(const char* headers, std::int32_t length, bool reload) {
    std::vector<std::string> lines;
    if (headers) {
        std::string_view text(headers,
                              length < 0 ? std::strlen(headers) : static_cast<std::size_t>(length));
        while (!text.empty()) {
            const auto end = text.find_first_of("\r\n");
            std::string_view line = text.substr(0, end);
            if (!line.empty())
                lines.emplace_back(line);
            text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        }
    }
    if (reload) {
        // libcurl keeps no cache, so only the caches on the way need telling.
        lines.emplace_back("Cache-Control: no-cache");
        lines.emplace_back("Pragma: no-cache");
    }
    return lines;
}

// The path of a file:// URL as the file system spells it.
std::string localPath(const std::string& path) {
    const std::string escaped = path.substr(0, path.find('?'));
    int length = 0;
    char* decoded =
        curl_easy_unescape(nullptr, escaped.c_str(), static_cast<int>(escaped.size()), &length);
    std::string out = decoded ? std::string(decoded, static_cast<std::size_t>(length)) : escaped;
    curl_free(decoded);
    return out;
}

// The services a transfer can pull.
bool isPulled(ServiceKind service) {
    return service == ServiceKind::Http || service == ServiceKind::Https ||
           service == ServiceKind::Ftp || service == ServiceKind::Gopher;
}

ServiceKind serviceOfScheme(const std::string& scheme) {
    if (scheme == "ftps")
        return ServiceKind::Ftp;
    if (scheme == "gophers")
        return ServiceKind::Gopher;
    return serviceKindOfScheme(scheme);
}

} // namespace

CInternetSession::CInternetSession(const char* agent, std::uintptr_t context,
                                   std::uint32_t accessType, const char* proxy, const char*,
                                   std::uint32_t)
    : defaultContext_(context), core_(std::make_shared<InternetSessionCore>(
                                    agent ? agent : "", context, proxyFor(accessType, proxy))) {}

CInternetSession::~CInternetSession() {
    Close();
}

void CInternetSession::Close() {
    std::shared_ptr<InternetSessionCore> core;
    std::optional<InternetStatusCallback> replaced;
    {
        std::lock_guard guard(lock_);
        core.swap(core_);
        replaced.swap(replaced_);
    }
    if (!core)
        return;
    if (replaced)
        core->setCallback(std::move(*replaced));
    core->close();
}

void CInternetSession::InstallStatusCallback(InternetStatusCallback callback) {
    const auto session = core();
    if (!session)
        return;
    InternetStatusCallback before = session->setCallback(std::move(callback));
    std::lock_guard guard(lock_);
    replaced_ = std::move(before);
}

bool CInternetSession::isopen() const {
    return core() != nullptr;
}

std::shared_ptr<InternetSessionCore> CInternetSession::core() const {
    std::lock_guard guard(lock_);
    return core_;
}

std::shared_ptr<InternetSessionCore> CInternetSession::openCore() const {
    auto session = core();
    if (!session)
        platform::setLastError(platform::err::InvalidHandle);
    return session;
}

InternetStatusCallback CInternetSession::SetStatusCallback(InternetStatusCallback callback) {
    const auto session = core();
    return session ? session->setCallback(std::move(callback)) : InternetStatusCallback();
}

std::unique_ptr<wstreambuf> CInternetSession::OpenUrl(const char* url, std::uintptr_t context,
                                                      std::uint32_t flags, const char* headers,
                                                      std::int32_t headersLength) {
    const std::uint32_t mode = flags & (openflag::Ascii | openflag::Binary);
    if (!url || (mode != openflag::Ascii && mode != openflag::Binary)) {
        platform::setLastError(platform::err::InvalidParameter);
        return nullptr;
    }
    const auto session = openCore();
    if (!session)
        return nullptr;
    if (context == 1)
        context = defaultContext_;

    UrlParts parts;
    const bool split = SplitUrl(url, parts);
    if (split && parts.service == ServiceKind::File) {
        auto file = ifwstreambuf::regularFile(localPath(parts.path).c_str());
        if (!file->isopen())
            return nullptr; // the file layer set the last error
        return file;
    }

    if (split && !isPulled(parts.service)) {
        platform::setLastError(platform::err::InternetUnrecognizedScheme);
        return nullptr;
    }
    auto transfer = std::make_unique<UrlTransfer>(
        [session, context](std::uint32_t status, const void* info, std::uint32_t length) {
            session->emit(context, status, info, length);
        });
    if (!session->enlist(transfer.get())) {
        platform::setLastError(platform::err::InternetOperationCancelled);
        return nullptr;
    }
    // The address is kept as given; only the request spells it as a valid one.
    const platform::SysError error = transfer->open(
        session->request(UrlEncoding::forRequest(url),
                         headerLines(headers, headersLength, flags & openflag::Reload)));
    if (error != platform::err::Success) {
        session->delist(transfer.get());
        platform::setLastError(error);
        return nullptr;
    }
    const ServiceKind service = split ? parts.service : serviceOfScheme(transfer->scheme());
    switch (service) {
    case ServiceKind::Ftp:
        return std::make_unique<nwstreambuf>(session, std::move(transfer), context, true);
    case ServiceKind::Gopher:
        return std::make_unique<gopherwstreambuf>(session, std::move(transfer), context);
    case ServiceKind::Http:
    case ServiceKind::Https:
        return std::make_unique<httpwstreambuf>(session, std::move(transfer), context, Str("GET"));
    default:
        session->delist(transfer.get());
        platform::setLastError(platform::err::InternetUnrecognizedScheme);
        return nullptr;
    }
}

bool CInternetSession::SetOption(std::uint32_t which, std::uint32_t value) {
    const auto session = openCore();
    if (!session)
        return false;
    NetLimits limits = session->limits();
    switch (which) {
    case option::ConnectTimeout:
        limits.connectTimeoutMs = static_cast<int>(std::min<std::uint32_t>(value, INT32_MAX));
        break;
    case option::ReceiveTimeout:
        limits.stallTimeoutMs = static_cast<int>(std::min<std::uint32_t>(value, INT32_MAX));
        break;
    default:
        platform::setLastError(platform::err::InternetInvalidOption);
        return false;
    }
    session->setLimits(limits);
    return true;
}

bool CInternetSession::SetOption(std::uint32_t which, const std::string& text) {
    const auto session = openCore();
    if (!session)
        return false;
    if (which != option::UserAgent) {
        platform::setLastError(platform::err::InternetInvalidOption);
        return false;
    }
    session->setAgent(text);
    return true;
}

bool CInternetSession::QueryOption(std::uint32_t which, std::uint32_t& value) const {
    const auto session = openCore();
    if (!session)
        return false;
    switch (which) {
    case option::ConnectTimeout:
        value = static_cast<std::uint32_t>(session->limits().connectTimeoutMs);
        return true;
    case option::ReceiveTimeout:
        value = static_cast<std::uint32_t>(session->limits().stallTimeoutMs);
        return true;
    case option::HandleType:
        value = handletype::Internet;
        return true;
    default:
        platform::setLastError(platform::err::InternetInvalidOption);
        return false;
    }
}

bool CInternetSession::QueryOption(std::uint32_t which, std::string& text) const {
    const auto session = openCore();
    if (!session)
        return false;
    switch (which) {
    case option::UserAgent:
        text = session->agent();
        return true;
    case option::Proxy:
        text = session->proxy().value_or(std::string());
        return true;
    default:
        platform::setLastError(platform::err::InternetInvalidOption);
        return false;
    }
}

} // namespace qx
