#include "PageFetcher.h"

#include <curl/curl.h>

#include <arpa/inet.h>
#include <cstring>
#include <mutex>
#include <poll.h>
#include <strings.h>
#include <sys/socket.h>

namespace qsearch {

namespace {

constexpr std::int32_t kCancelled = 1223;
constexpr std::int32_t kNotEnoughMemory = 8;
constexpr std::int32_t kTimeout = 12002;
constexpr std::int32_t kInternalError = 12004;
constexpr std::int32_t kInvalidUrl = 12005;
constexpr std::int32_t kUnrecognizedScheme = 12006;
constexpr std::int32_t kNameNotResolved = 12007;
constexpr std::int32_t kCannotConnect = 12029;
constexpr std::int32_t kConnectionAborted = 12030;
constexpr std::int32_t kConnectionReset = 12031;
constexpr std::int32_t kInvalidCa = 12045;
constexpr std::int32_t kInvalidServerResponse = 12152;
constexpr std::int32_t kRedirectFailed = 12156;
constexpr std::int32_t kSecurityChannelError = 12157;

// Who asks, with where to read about it, as services ask of automated clients;
// a definition may send its own (a "User-Agent" header) where a service wants
// contact details.
constexpr const char* kAgent =
    "qxseek/" QSEARCH_VERSION " (Norba Seek search module; +https://norbaseek.example.org/)";

// How long one wait for the sockets lasts before the stall check runs again.
constexpr int kPollMs = 100;

std::int32_t mapCurl(CURLcode code) {
    switch (code) {
    case CURLE_OK:
        return 0;
    case CURLE_OPERATION_TIMEDOUT:
        return kTimeout;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
        return kNameNotResolved;
    case CURLE_COULDNT_CONNECT:
        return kCannotConnect;
    case CURLE_URL_MALFORMAT:
        return kInvalidUrl;
    case CURLE_UNSUPPORTED_PROTOCOL:
        return kUnrecognizedScheme;
    case CURLE_PEER_FAILED_VERIFICATION:
        return kInvalidCa;
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_CACERT_BADFILE:
        return kSecurityChannelError;
    case CURLE_TOO_MANY_REDIRECTS:
        return kRedirectFailed;
    case CURLE_WRITE_ERROR:
    case CURLE_GOT_NOTHING:
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_BAD_CONTENT_ENCODING:
        return kInvalidServerResponse;
    case CURLE_PARTIAL_FILE:
    case CURLE_SEND_ERROR:
        return kConnectionAborted;
    case CURLE_RECV_ERROR:
        return kConnectionReset;
    case CURLE_OUT_OF_MEMORY:
        return kNotEnoughMemory;
    default:
        return kInternalError;
    }
}

void initOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

std::string addressText(const struct sockaddr* address) {
    char text[INET6_ADDRSTRLEN] = "";
    if (address->sa_family == AF_INET)
        inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(address)->sin_addr, text,
                  sizeof text);
    else if (address->sa_family == AF_INET6)
        inet_ntop(AF_INET6, &reinterpret_cast<const sockaddr_in6*>(address)->sin6_addr, text,
                  sizeof text);
    return text;
}

} // namespace

// The state of one request, reached from libcurl's callbacks.
struct PageFetcher::Transfer {
    const WSearchParam& param;
    Page& page;
    std::string host;
    bool tooLarge = false;
    bool receiving = false;

    void report(std::uint32_t status, const void* info = nullptr, std::uint32_t length = 0) const {
        if (param.status)
            param.status(param.statusContext, status, info, length);
    }
    void reportText(std::uint32_t status, const std::string& text) const {
        report(status, text.c_str(), static_cast<std::uint32_t>(text.size() + 1));
    }

    static int onResolve(void*, void*, void* self) {
        auto* t = static_cast<Transfer*>(self);
        t->reportText(WSEARCH_STATUS_RESOLVING_NAME, t->host);
        return 0;
    }

    static curl_socket_t onOpenSocket(void* self, curlsocktype, struct curl_sockaddr* address) {
        auto* t = static_cast<Transfer*>(self);
        const std::string text = addressText(&address->addr);
        t->reportText(WSEARCH_STATUS_NAME_RESOLVED, text);
        t->reportText(WSEARCH_STATUS_CONNECTING, text);
        return socket(address->family, address->socktype | SOCK_CLOEXEC, address->protocol);
    }

    static int onPrereq(void* self, char* connectedIp, char*, int, int) {
        auto* t = static_cast<Transfer*>(self);
        t->reportText(WSEARCH_STATUS_CONNECTED, connectedIp);
        t->report(WSEARCH_STATUS_SENDING_REQUEST);
        return CURL_PREREQFUNC_OK;
    }

    static std::size_t onHeader(char* data, std::size_t size, std::size_t count, void* self) {
        auto* t = static_cast<Transfer*>(self);
        const std::size_t length = size * count;
        const std::string_view line(data, length);
        if (line.rfind("HTTP/", 0) == 0) {
            if (!t->receiving)
                t->report(WSEARCH_STATUS_REQUEST_SENT);
            t->receiving = true;
            t->report(WSEARCH_STATUS_RECEIVING_RESPONSE);
        } else if (line.size() > 9 && strncasecmp(line.data(), "location:", 9) == 0) {
            std::string target(line.substr(9));
            const auto first = target.find_first_not_of(" \t");
            const auto last = target.find_last_not_of(" \t\r\n");
            if (first != std::string::npos && last != std::string::npos)
                t->reportText(WSEARCH_STATUS_REDIRECT, target.substr(first, last - first + 1));
        }
        return length;
    }

    static std::size_t onBody(char* data, std::size_t size, std::size_t count, void* self) {
        auto* t = static_cast<Transfer*>(self);
        const std::size_t length = size * count;
        if (t->page.body.size() + length > kMaxPage) {
            t->tooLarge = true;
            return 0;
        }
        t->page.body.append(data, length);
        t->report(WSEARCH_STATUS_RECEIVING_RESPONSE);
        return length;
    }
};

PageFetcher::PageFetcher(const WSearchParam& param, Limits limits)
    : param_(param), limits_(limits) {
    initOnce();
}

PageFetcher::~PageFetcher() = default;

bool PageFetcher::stopped() const {
    if (param_.stopEvent < 0)
        return false;
    pollfd fd{param_.stopEvent, POLLIN, 0};
    return poll(&fd, 1, 0) > 0 && (fd.revents & POLLIN);
}

std::int32_t PageFetcher::fetch(const std::string& url,
                                const std::vector<std::pair<std::string, std::string>>& headers,
                                Page& page) {
    page = Page();
    if (stopped())
        return kCancelled;
    std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> easy(curl_easy_init(), curl_easy_cleanup);
    std::unique_ptr<CURLM, decltype(&curl_multi_cleanup)> multi(curl_multi_init(),
                                                                curl_multi_cleanup);
    if (!easy || !multi)
        return kNotEnoughMemory;
    Transfer transfer{param_, page, {}};
    if (CURLU* parts = curl_url()) {
        char* host = nullptr;
        if (curl_url_set(parts, CURLUPART_URL, url.c_str(), 0) == CURLUE_OK &&
            curl_url_get(parts, CURLUPART_HOST, &host, 0) == CURLUE_OK)
            transfer.host = host;
        curl_free(host);
        curl_url_cleanup(parts);
    }
    struct curl_slist* list = nullptr;
    for (const auto& [name, value] : headers)
        list = curl_slist_append(list, (name + ": " + value).c_str());
    std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)> headerList(list,
                                                                           curl_slist_free_all);

    CURL* h = easy.get();
    curl_easy_setopt(h, CURLOPT_URL, url.c_str());
    curl_easy_setopt(h, CURLOPT_USERAGENT, kAgent);
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, list);
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(h, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_ACCEPT_ENCODING, "");
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT, limits_.connect);
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_TIME, limits_.stall);
    curl_easy_setopt(h, CURLOPT_TIMEOUT, limits_.total);
    curl_easy_setopt(h, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(kMaxPage));
    if (param_.accessType == WSEARCH_ACCESS_PROXY && param_.proxy && *param_.proxy)
        curl_easy_setopt(h, CURLOPT_PROXY, param_.proxy);
    curl_easy_setopt(h, CURLOPT_RESOLVER_START_FUNCTION, &Transfer::onResolve);
    curl_easy_setopt(h, CURLOPT_RESOLVER_START_DATA, &transfer);
    curl_easy_setopt(h, CURLOPT_OPENSOCKETFUNCTION, &Transfer::onOpenSocket);
    curl_easy_setopt(h, CURLOPT_OPENSOCKETDATA, &transfer);
    curl_easy_setopt(h, CURLOPT_PREREQFUNCTION, &Transfer::onPrereq);
    curl_easy_setopt(h, CURLOPT_PREREQDATA, &transfer);
    curl_easy_setopt(h, CURLOPT_HEADERFUNCTION, &Transfer::onHeader);
    curl_easy_setopt(h, CURLOPT_HEADERDATA, &transfer);
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &Transfer::onBody);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &transfer);

    transfer.report(WSEARCH_STATUS_HANDLE_CREATED);
    curl_multi_add_handle(multi.get(), h);
    CURLcode result = CURLE_OK;
    bool done = false;
    bool cancelled = false;
    while (!done) {
        int running = 0;
        if (curl_multi_perform(multi.get(), &running) != CURLM_OK) {
            result = CURLE_OUT_OF_MEMORY;
            break;
        }
        int queued = 0;
        while (CURLMsg* message = curl_multi_info_read(multi.get(), &queued)) {
            if (message->msg == CURLMSG_DONE) {
                result = message->data.result;
                done = true;
            }
        }
        if (done)
            break;
        curl_waitfd stop{param_.stopEvent, CURL_WAIT_POLLIN, 0};
        const unsigned extra = param_.stopEvent >= 0 ? 1u : 0u;
        curl_multi_poll(multi.get(), extra ? &stop : nullptr, extra, kPollMs, nullptr);
        if (extra && (stop.revents & CURL_WAIT_POLLIN)) {
            cancelled = true;
            break;
        }
    }
    curl_multi_remove_handle(multi.get(), h);
    transfer.report(WSEARCH_STATUS_HANDLE_CLOSING);
    if (cancelled)
        return kCancelled;

    char* finalUrl = nullptr;
    curl_easy_getinfo(h, CURLINFO_EFFECTIVE_URL, &finalUrl);
    page.url = finalUrl ? finalUrl : url;
    char* contentType = nullptr;
    curl_easy_getinfo(h, CURLINFO_CONTENT_TYPE, &contentType);
    page.contentType = contentType ? contentType : "";
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &page.status);

    std::int32_t code = transfer.tooLarge || result == CURLE_FILESIZE_EXCEEDED
                            ? kInvalidServerResponse
                            : mapCurl(result);
    constexpr long kTooManyRequests = 429;
    if (code == 0 && page.status == kTooManyRequests)
        code = WSEARCH_RATE_LIMITED;
    else if (code == 0 && page.status >= 400)
        code = WSEARCH_HTTP_FAILURE;
    if (code == 0)
        transfer.report(WSEARCH_STATUS_RESPONSE_RECEIVED);
    const std::uint32_t complete[2] = {code == 0 ? 1u : 0u, static_cast<std::uint32_t>(code)};
    transfer.report(WSEARCH_STATUS_REQUEST_COMPLETE, complete, sizeof complete);
    return code;
}

} // namespace qsearch
