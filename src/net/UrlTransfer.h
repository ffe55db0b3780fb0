#pragma once

#include "net/ResponseHead.h"
#include "platform/SystemError.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <curl/curl.h>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

// One URL pulled like a file: an easy handle driven by a multi handle of its
// own, so that the caller decides when bytes move. open() drives the transfer
// until the answer's status line and header block are in (following
// redirects itself), read() then drives it until the caller's buffer holds
// something. Bytes beyond the caller's buffer wait in a bounded buffer of
// ours; once that is full the write callback pauses the transfer, so memory
// stays bounded however fast the server sends and however slowly the caller
// reads.
namespace qx {

// Time limits of a transfer. Without them a server that accepts and then
// stays silent, or one that trickles an endless answer, would hold a worker
// forever.
struct NetLimits {
    int connectTimeoutMs = 30000;
    // No byte for this long ends the transfer with a time-out; whole seconds
    // (rounded up) are what libcurl can measure.
    int stallTimeoutMs = 60000;
    // The whole transfer, redirects and reading included, ends with a
    // time-out after this long...
    int totalTimeoutMs = 120000;
    // ...unless the answer announced its length: then it may take as long as
    // that many bytes need at this rate, counted from its head.
    int minBytesPerSecond = 16 * 1024;
    int maxRedirects = 10;
};

class UrlTransfer {
public:
    using Notify = std::function<void(std::uint32_t status, const void* info, std::uint32_t len)>;

    struct Request {
        std::string url;
        std::vector<std::string> headers; // "Name: value" lines, without line ends
        std::string agent;
        // Unset: the system's proxy set-up (libcurl reads http_proxy,
        // https_proxy and no_proxy); empty: none; else host[:port].
        std::optional<std::string> proxy;
        NetLimits limits;
        // The schemes a redirect may lead to; a hop to any other fails the
        // transfer with HttpRedirectFailed.
        std::vector<std::string> redirectSchemes{"http", "https"};
    };

    explicit UrlTransfer(Notify notify);
    ~UrlTransfer();
    UrlTransfer(const UrlTransfer&) = delete;
    UrlTransfer& operator=(const UrlTransfer&) = delete;

    // 0 when the answer's head is in (the body may still be on its way).
    platform::SysError open(const Request& request);
    // Bytes read (at least 1 unless the data ended), 0 at the end, -1 on an
    // error (the thread's last system error says which).
    int read(void* dst, int n);
    // From any thread: the transfer fails at once with "cancelled". The
    // transfer object itself stays valid.
    void abort();

    // The final answer after open(): the status code (0 for a protocol
    // without one), its head, the URL after redirects and the scheme it used.
    long statusCode() const { return status_; }
    const ResponseHead& head() const { return head_; }
    const std::string& finalUrl() const { return finalUrl_; }
    const std::string& scheme() const { return scheme_; }
    // The final URL when one or more redirects led there and each of them
    // was permanent (301, 308): where the address has moved for good.
    // Empty otherwise.
    std::string movedTo() const;

    // What libcurl hands over at most at a time, and how much may wait for
    // the reader before the transfer pauses.
    static constexpr long kReceiveBlock = 256 * 1024;
    static constexpr std::size_t kMaxPending = 1024 * 1024;

private:
    static size_t onWrite(char* data, size_t size, size_t count, void* self);
    static size_t onHeader(char* data, size_t size, size_t count, void* self);
    static int onProgress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t);
    static int onResolverStart(void*, void*, void* self);
    static curl_socket_t onOpenSocket(void* self, curlsocktype, curl_sockaddr* address);
    static int onPrerequest(void* self, char* connIp, char* localIp, int connPort, int localPort);

    void setOptions(const Request& request);
    // Whether the transfer goes on: false ends it here (a redirect whose
    // body is not wanted).
    bool endOfHead();
    // Drives the transfer until done() holds, it ends or it is aborted;
    // false when it failed.
    bool pump(const std::function<bool()>& done);
    bool restartForRedirect();
    bool redirectAllowed(const std::string& target) const;
    // The overall deadline passed: the transfer ends with a time-out.
    bool pastDeadline();
    void extendDeadlineForLength();
    platform::SysError finishError();
    void notify(std::uint32_t status, std::string_view text);
    bool isHttp() const;

    Notify notify_;
    CURL* easy_ = nullptr;
    CURLM* multi_ = nullptr;
    curl_slist* headerList_ = nullptr;
    std::atomic<bool> aborted_{false};
    std::mutex wakeLock_; // keeps abort() from waking a multi handle being destroyed

    using Clock = std::chrono::steady_clock;

    std::string url_;
    NetLimits limits_;
    std::vector<std::string> redirectSchemes_;
    Clock::time_point deadline_;
    int redirects_ = 0;
    bool allPermanent_ = true;
    bool headDone_ = false;
    bool redirectPending_ = false;
    // The redirect's head is in and its body was refused: the write error
    // that ends the hop is no failure.
    bool redirectCut_ = false;
    bool finished_ = false;
    bool paused_ = false;
    bool newConnection_ = false;
    bool requestSent_ = false;
    CURLcode result_ = CURLE_OK;
    platform::SysError localError_ = platform::err::Success;
    long status_ = 0;
    ResponseHead head_; // a head larger than its limit is an invalid answer
    std::string finalUrl_;
    std::string redirectUrl_;
    std::string scheme_;

    // Where the write callback puts body bytes during a read; nothing
    // outside a read, so that everything waits in pending_.
    char* dst_ = nullptr;
    std::size_t space_ = 0;
    std::size_t got_ = 0;
    // Received bytes the reader has not taken yet.
    std::string pending_;
    std::size_t pendingAt_ = 0;
};

} // namespace qx
