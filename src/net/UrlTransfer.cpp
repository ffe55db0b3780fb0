#include "net/UrlTransfer.h"

#include "net/CurlError.h"
#include "net/CurlShare.h"
#include "net/InternetStatus.h"
#include "net/UrlEncoding.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cctype>
#include <charconv>
#include <cstring>
#include <netinet/in.h>
#include <strings.h>
#include <sys/socket.h>

namespace qx {

namespace {

constexpr int kPollSliceMs = 1000;
// Idle connections the process keeps for reuse. A multi handle of one
// transfer would otherwise allow libcurl's default of four per easy handle,
// so that a check of many hosts would close the pooled connections as fast
// as it made them.
constexpr long kPooledConnections = 64;

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           ::strncasecmp(text.data(), prefix.data(), prefix.size()) == 0;
}

bool isFollowedRedirect(long code) {
    return code == 301 || code == 302 || code == 303 || code == 307 || code == 308;
}

// A Location against the address it came from; empty when it does not
// make an address.
std::string resolved(const std::string& base, const std::string& location) {
    if (location.empty())
        return {};
    std::string out;
    CURLU* parts = curl_url();
    char* text = nullptr;
    if (parts &&
        curl_url_set(parts, CURLUPART_URL, base.c_str(), CURLU_NON_SUPPORT_SCHEME) == CURLUE_OK &&
        curl_url_set(parts, CURLUPART_URL, location.c_str(), CURLU_NON_SUPPORT_SCHEME) ==
            CURLUE_OK &&
        curl_url_get(parts, CURLUPART_URL, &text, 0) == CURLUE_OK && text) {
        out = text;
        curl_free(text);
    }
    curl_url_cleanup(parts);
    return out;
}

std::string hostOf(const std::string& url) {
    std::string host;
    CURLU* parts = curl_url();
    char* text = nullptr;
    if (parts &&
        curl_url_set(parts, CURLUPART_URL, url.c_str(), CURLU_NON_SUPPORT_SCHEME) == CURLUE_OK &&
        curl_url_get(parts, CURLUPART_HOST, &text, 0) == CURLUE_OK && text) {
        host = text;
        curl_free(text);
    }
    curl_url_cleanup(parts);
    return host;
}

std::string addressText(const curl_sockaddr* address) {
    char text[INET6_ADDRSTRLEN] = {};
    if (address->family == AF_INET) {
        const auto* in = reinterpret_cast<const sockaddr_in*>(&address->addr);
        ::inet_ntop(AF_INET, &in->sin_addr, text, sizeof text);
    } else if (address->family == AF_INET6) {
        const auto* in6 = reinterpret_cast<const sockaddr_in6*>(&address->addr);
        ::inet_ntop(AF_INET6, &in6->sin6_addr, text, sizeof text);
    }
    return text;
}

} // namespace

UrlTransfer::UrlTransfer(Notify notify) : notify_(std::move(notify)) {}

UrlTransfer::~UrlTransfer() {
    // Reported before the lock: the callback takes the session's lock, which
    // a closing session holds while it takes this one.
    if (easy_)
        notify(status::HandleClosing, {});
    std::lock_guard guard(wakeLock_);
    if (easy_) {
        if (multi_)
            curl_multi_remove_handle(multi_, easy_);
        curl_easy_cleanup(easy_);
    }
    if (multi_)
        curl_multi_cleanup(multi_);
    curl_slist_free_all(headerList_);
}

void UrlTransfer::notify(std::uint32_t code, std::string_view text) {
    if (notify_)
        notify_(code, text.data(), static_cast<std::uint32_t>(text.size()));
}

platform::SysError UrlTransfer::open(const Request& request) {
    if (!sharedCurlState())
        return platform::err::InternetInternalError;
    {
        std::lock_guard guard(wakeLock_);
        easy_ = curl_easy_init();
        multi_ = curl_multi_init();
    }
    if (!easy_ || !multi_)
        return platform::err::InternetOutOfHandles;
    curl_multi_setopt(multi_, CURLMOPT_MAXCONNECTS, kPooledConnections);
    notify(status::HandleCreated, {});
    url_ = request.url;
    limits_ = request.limits;
    redirectSchemes_ = request.redirectSchemes;
    deadline_ = Clock::now() + std::chrono::milliseconds(std::max(0, limits_.totalTimeoutMs));
    setOptions(request);
    platform::SysError error = platform::err::Success;
    if (curl_multi_add_handle(multi_, easy_) != CURLM_OK)
        error = platform::err::InternetInternalError;
    else if (!pump([this] { return headDone_; }) && !headDone_)
        error = finishError(); // a failure after the head shows on the read
    if (error == platform::err::Success) {
        char* text = nullptr;
        if (curl_easy_getinfo(easy_, CURLINFO_EFFECTIVE_URL, &text) == CURLE_OK && text)
            finalUrl_ = text;
        text = nullptr;
        if (curl_easy_getinfo(easy_, CURLINFO_SCHEME, &text) == CURLE_OK && text)
            scheme_ = text;
        std::transform(scheme_.begin(), scheme_.end(), scheme_.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    }
    const AsyncResult done{error == platform::err::Success ? 1u : 0u, error};
    if (notify_)
        notify_(status::RequestComplete, &done, sizeof done);
    return error;
}

void UrlTransfer::setOptions(const Request& request) {
    curl_easy_setopt(easy_, CURLOPT_URL, request.url.c_str());
    curl_easy_setopt(easy_, CURLOPT_SHARE, sharedCurlState());
    curl_easy_setopt(easy_, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy_, CURLOPT_BUFFERSIZE, kReceiveBlock);
    curl_easy_setopt(easy_, CURLOPT_PROTOCOLS_STR, "http,https,ftp,ftps,gopher,gophers");
    curl_easy_setopt(easy_, CURLOPT_USERAGENT, request.agent.c_str());
    if (request.proxy)
        curl_easy_setopt(easy_, CURLOPT_PROXY, request.proxy->c_str());
    // Only the answer of the server counts, never the proxy's tunnel reply.
    curl_easy_setopt(easy_, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);
    curl_easy_setopt(easy_, CURLOPT_CONNECTTIMEOUT_MS,
                     static_cast<long>(request.limits.connectTimeoutMs));
    curl_easy_setopt(easy_, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(easy_, CURLOPT_LOW_SPEED_TIME,
                     static_cast<long>(std::max(1, (request.limits.stallTimeoutMs + 999) / 1000)));
    // Redirects are followed here, so that each hop is reported and a hop to
    // a scheme the program does not follow can be refused.
    curl_easy_setopt(easy_, CURLOPT_FOLLOWLOCATION, 0L);
    for (const std::string& line : request.headers)
        headerList_ = curl_slist_append(headerList_, line.c_str());
    curl_easy_setopt(easy_, CURLOPT_HTTPHEADER, headerList_);

    curl_easy_setopt(easy_, CURLOPT_WRITEFUNCTION, onWrite);
    curl_easy_setopt(easy_, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(easy_, CURLOPT_HEADERFUNCTION, onHeader);
    curl_easy_setopt(easy_, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(easy_, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(easy_, CURLOPT_XFERINFOFUNCTION, onProgress);
    curl_easy_setopt(easy_, CURLOPT_XFERINFODATA, this);
    curl_easy_setopt(easy_, CURLOPT_RESOLVER_START_FUNCTION, onResolverStart);
    curl_easy_setopt(easy_, CURLOPT_RESOLVER_START_DATA, this);
    curl_easy_setopt(easy_, CURLOPT_OPENSOCKETFUNCTION, onOpenSocket);
    curl_easy_setopt(easy_, CURLOPT_OPENSOCKETDATA, this);
    curl_easy_setopt(easy_, CURLOPT_PREREQFUNCTION, onPrerequest);
    curl_easy_setopt(easy_, CURLOPT_PREREQDATA, this);
}

bool UrlTransfer::isHttp() const {
    char* scheme = nullptr;
    return curl_easy_getinfo(easy_, CURLINFO_SCHEME, &scheme) == CURLE_OK && scheme &&
           startsWithNoCase(scheme, "http");
}

size_t UrlTransfer::onHeader(char* data, size_t size, size_t count, void* self) {
    auto* t = static_cast<UrlTransfer*>(self);
    const size_t n = size * count;
    if (!t->isHttp())
        return n; // an FTP server's replies are no header block
    std::string_view line(data, n);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.remove_suffix(1);
    switch (t->head_.feed(line, n)) {
    case ResponseHead::Step::TooLarge:
        t->localError_ = platform::err::HttpInvalidServerResponse;
        return 0;
    case ResponseHead::Step::NewAnswer:
        // The request is out and its answer is arriving (an interim answer
        // or a redirect may have come before).
        t->notify(status::RequestSent, {});
        t->notify(status::ReceivingResponse, {});
        break;
    case ResponseHead::Step::Complete:
        if (!t->endOfHead())
            return 0; // libcurl drops the connection with the unread body
        break;
    default:
        break;
    }
    return n;
}

bool UrlTransfer::endOfHead() {
    const long code = head_.status();
    if (isFollowedRedirect(code)) {
        const std::string target =
            resolved(url_, UrlEncoding::forRequest(head_.value("Location").value_or("")));
        if (!target.empty()) {
            redirectUrl_ = target;
            redirectPending_ = true;
            allPermanent_ = allPermanent_ && (code == 301 || code == 308);
            // The next hop starts now: a body that never ends, or a large
            // one, is never read. Only an empty one is let through, so that
            // its connection goes back to the pool.
            if (head_.value("Content-Length") == "0")
                return true;
            redirectCut_ = true;
            return false;
        }
    }
    status_ = code;
    headDone_ = true;
    extendDeadlineForLength();
    notify(status::ResponseReceived, {});
    return true;
}

void UrlTransfer::extendDeadlineForLength() {
    const std::optional<std::string> text = head_.value("Content-Length");
    if (!text || limits_.minBytesPerSecond <= 0)
        return;
    std::uint64_t length = 0;
    const auto [end, ec] = std::from_chars(text->data(), text->data() + text->size(), length);
    if (ec != std::errc{} || end != text->data() + text->size())
        return;
    // Capped far beyond any real download, so that the sum cannot overflow.
    constexpr std::uint64_t kLongestSeconds = 30 * 24 * 3600;
    const std::uint64_t seconds = std::min(
        length / static_cast<std::uint64_t>(limits_.minBytesPerSecond) + 1, kLongestSeconds);
    deadline_ = std::max(deadline_, Clock::now() + std::chrono::seconds(seconds));
}

size_t UrlTransfer::onWrite(char* data, size_t size, size_t count, void* self) {
    auto* t = static_cast<UrlTransfer*>(self);
    const size_t n = size * count;
    if (t->redirectPending_)
        return n;        // the body of a redirect is never read
    t->headDone_ = true; // without a header block, the first byte ends the head
    const size_t k = std::min(n, t->space_);
    if (k < n && t->pending_.size() - t->pendingAt_ >= kMaxPending) {
        t->paused_ = true;
        return CURL_WRITEFUNC_PAUSE; // held by libcurl until the reader asks
    }
    if (k > 0)
        std::memcpy(t->dst_, data, k);
    t->dst_ += k;
    t->space_ -= k;
    t->got_ += k;
    t->pending_.append(data + k, n - k);
    return n;
}

int UrlTransfer::onProgress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return static_cast<UrlTransfer*>(self)->aborted_.load() ? 1 : 0;
}

int UrlTransfer::onResolverStart(void*, void*, void* self) {
    auto* t = static_cast<UrlTransfer*>(self);
    t->notify(status::ResolvingName, hostOf(t->url_));
    return 0;
}

curl_socket_t UrlTransfer::onOpenSocket(void* self, curlsocktype, curl_sockaddr* address) {
    auto* t = static_cast<UrlTransfer*>(self);
    const std::string ip = addressText(address);
    t->notify(status::NameResolved, ip);
    t->notify(status::ConnectingToServer, ip);
    t->newConnection_ = true;
    const int fd = ::socket(address->family, address->socktype | SOCK_CLOEXEC, address->protocol);
    return fd < 0 ? CURL_SOCKET_BAD : fd;
}

int UrlTransfer::onPrerequest(void* self, char* connIp, char*, int, int) {
    auto* t = static_cast<UrlTransfer*>(self);
    if (t->newConnection_) {
        t->notify(status::ConnectedToServer, connIp ? connIp : "");
        t->newConnection_ = false;
    }
    t->notify(status::SendingRequest, {});
    t->requestSent_ = true;
    return CURL_PREREQFUNC_OK;
}

bool UrlTransfer::pump(const std::function<bool()>& done) {
    while (!done()) {
        if (finished_)
            return result_ == CURLE_OK && localError_ == platform::err::Success;
        if (aborted_) {
            localError_ = platform::err::InternetOperationCancelled;
            finished_ = true;
            return false;
        }
        if (pastDeadline())
            return false;
        int running = 0;
        if (curl_multi_perform(multi_, &running) != CURLM_OK) {
            localError_ = platform::err::InternetInternalError;
            finished_ = true;
            return false;
        }
        bool ended = false;
        int left = 0;
        while (CURLMsg* message = curl_multi_info_read(multi_, &left)) {
            if (message->msg == CURLMSG_DONE) {
                result_ = message->data.result;
                ended = true;
            }
        }
        if (ended) {
            const bool hopDone =
                result_ == CURLE_OK || (redirectCut_ && result_ == CURLE_WRITE_ERROR);
            if (redirectPending_ && hopDone) {
                if (!restartForRedirect()) {
                    finished_ = true;
                    return false;
                }
                continue;
            }
            finished_ = true;
            if (result_ != CURLE_OK || localError_ != platform::err::Success)
                return false;
            if (!headDone_ && isHttp()) {
                // The connection ended inside the head.
                localError_ = platform::err::HttpInvalidServerResponse;
                return false;
            }
            headDone_ = true; // an answer without head or body (an empty file)
            return true;
        }
        if (done())
            break;
        const auto untilDeadline =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline_ - Clock::now());
        const long long sliceMs = std::clamp<long long>(untilDeadline.count(), 1, kPollSliceMs);
        curl_multi_poll(multi_, nullptr, 0, static_cast<int>(sliceMs), nullptr);
    }
    return true;
}

bool UrlTransfer::pastDeadline() {
    if (Clock::now() < deadline_)
        return false;
    localError_ = platform::err::InternetTimeout;
    finished_ = true;
    return true;
}

bool UrlTransfer::redirectAllowed(const std::string& target) const {
    const auto colon = target.find(':');
    if (colon == std::string::npos)
        return false;
    const std::string_view scheme(target.data(), colon);
    return std::any_of(
        redirectSchemes_.begin(), redirectSchemes_.end(), [&](const std::string& allowed) {
            return allowed.size() == scheme.size() && startsWithNoCase(scheme, allowed);
        });
}

bool UrlTransfer::restartForRedirect() {
    redirectPending_ = false;
    redirectCut_ = false;
    if (++redirects_ > limits_.maxRedirects || !redirectAllowed(redirectUrl_)) {
        localError_ = platform::err::HttpRedirectFailed;
        return false;
    }
    notify(status::Redirect, redirectUrl_);
    curl_multi_remove_handle(multi_, easy_);
    url_ = redirectUrl_;
    curl_easy_setopt(easy_, CURLOPT_URL, url_.c_str());
    head_.clear();
    return curl_multi_add_handle(multi_, easy_) == CURLM_OK;
}

platform::SysError UrlTransfer::finishError() {
    if (localError_ != platform::err::Success)
        return localError_;
    if (aborted_)
        return platform::err::InternetOperationCancelled;
    // A server that answers without a status line is taken by libcurl for
    // an old protocol it refuses; for us the answer is simply invalid.
    if (requestSent_ && result_ == CURLE_UNSUPPORTED_PROTOCOL)
        return platform::err::HttpInvalidServerResponse;
    // Our cap on the head (onHeader) only sees whole lines; a single line
    // beyond libcurl's own line limit ends the transfer as "out of memory"
    // while the head arrives. That is the server's answer, not this
    // machine's memory, which keeps its own text everywhere else.
    if (requestSent_ && !headDone_ && result_ == CURLE_OUT_OF_MEMORY)
        return platform::err::HttpInvalidServerResponse;
    long verify = 0;
    long osErrno = 0;
    curl_easy_getinfo(easy_, CURLINFO_SSL_VERIFYRESULT, &verify);
    curl_easy_getinfo(easy_, CURLINFO_OS_ERRNO, &osErrno);
    return sysErrorOfCurl(result_, verify, osErrno);
}

int UrlTransfer::read(void* dst, int n) {
    if (n <= 0)
        return 0;
    if (pendingAt_ < pending_.size()) {
        const size_t k = std::min(pending_.size() - pendingAt_, static_cast<size_t>(n));
        std::memcpy(dst, pending_.data() + pendingAt_, k);
        pendingAt_ += k;
        if (pendingAt_ == pending_.size()) {
            pending_.clear();
            pendingAt_ = 0;
        }
        return static_cast<int>(k);
    }
    if (!easy_ || !multi_) {
        platform::setLastError(platform::err::InvalidHandle);
        return -1;
    }
    if (!finished_)
        notify(status::ReceivingResponse, {});
    dst_ = static_cast<char*>(dst);
    space_ = static_cast<size_t>(n);
    got_ = 0;
    if (paused_ && !finished_) {
        paused_ = false;
        // May hand over the held block at once, through onWrite.
        curl_easy_pause(easy_, CURLPAUSE_CONT);
    }
    const bool ok = pump([this] { return got_ > 0; });
    dst_ = nullptr;
    space_ = 0;
    if (got_ > 0) {
        notify(status::ResponseReceived, {});
        return static_cast<int>(got_);
    }
    if (!ok) {
        platform::setLastError(finishError());
        return -1;
    }
    return 0;
}

std::string UrlTransfer::movedTo() const {
    return redirects_ > 0 && allPermanent_ ? finalUrl_ : std::string();
}

void UrlTransfer::abort() {
    aborted_ = true;
    std::lock_guard guard(wakeLock_);
    if (multi_)
        curl_multi_wakeup(multi_);
}

} // namespace qx
