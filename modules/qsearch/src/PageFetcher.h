#pragma once

#include "qsearch/WebSearch.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace qsearch {

// One fetched page.
struct Page {
    std::string body;
    std::string contentType;
    // The address after redirects, against which relative links resolve.
    std::string url;
    long status = 0;
};

// The module's own HTTP session: one libcurl handle driven by a multi handle
// so that the caller's stop event is polled together with the sockets, and
// every step reported through the caller's status callback with the program's
// status codes.
class PageFetcher {
public:
    static constexpr std::size_t kMaxPage = 4u << 20;

    // The time-outs in seconds: connecting, a stalled transfer, and one
    // transfer from start to end.
    struct Limits {
        long connect = 30;
        long stall = 60;
        long total = 120;
    };

    PageFetcher(const WSearchParam& param, Limits limits);
    ~PageFetcher();
    PageFetcher(const PageFetcher&) = delete;
    PageFetcher& operator=(const PageFetcher&) = delete;

    // WSEARCH_OK and the page; WSEARCH_RATE_LIMITED for 429,
    // WSEARCH_HTTP_FAILURE for another failure status;
    // 1223 when the stop event fired; else a system error code (12152 for a
    // page larger than kMaxPage).
    std::int32_t fetch(const std::string& url,
                       const std::vector<std::pair<std::string, std::string>>& headers, Page& page);

    // True once the stop event is readable; never consumes it.
    bool stopped() const;

private:
    struct Transfer;
    const WSearchParam& param_;
    Limits limits_;
};

} // namespace qsearch
