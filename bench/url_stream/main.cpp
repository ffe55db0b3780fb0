// The URL stream against plain libcurl, both on the local test server:
// throughput of one 64 MiB body read through iurlwstream in the workers'
// 1024-byte blocks against an easy transfer into memory, and the time to open
// 1000 small URLs through fresh sessions against one reused easy handle.
// Prints ratios measured in this run.

#include "HttpTestServer.h"
#include "net/CInternetSession.h"
#include "net/iurlwstream.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <curl/curl.h>
#include <functional>
#include <string>
#include <utility>

namespace {

using namespace qx;
using Clock = std::chrono::steady_clock;

constexpr std::size_t kBigBody = 64u << 20;
constexpr int kSmallCount = 1000;
constexpr int kRepeats = 5;

struct Times {
    double wall;
    double cpu; // of this thread alone: the client's work, without the server's
};

double threadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

Times measure(const std::function<bool()>& run) {
    const auto start = Clock::now();
    const double cpuStart = threadCpuSeconds();
    if (!run()) {
        std::fprintf(stderr, "a transfer failed\n");
        std::exit(1);
    }
    return {std::chrono::duration<double>(Clock::now() - start).count(),
            threadCpuSeconds() - cpuStart};
}

// The best times of two runs taken in turns, so that a busy moment of the
// shared machine does not fall on one side only.
std::pair<Times, Times> bestOfBoth(const std::function<bool()>& a, const std::function<bool()>& b) {
    Times bestA{1e30, 1e30};
    Times bestB{1e30, 1e30};
    for (int i = 0; i < kRepeats; ++i) {
        for (auto [run, best] : {std::pair{&a, &bestA}, std::pair{&b, &bestB}}) {
            const Times t = measure(*run);
            best->wall = std::min(best->wall, t.wall);
            best->cpu = std::min(best->cpu, t.cpu);
        }
    }
    return {bestA, bestB};
}

bool ourRead(CInternetSession& session, const std::string& url, std::size_t expected) {
    iurlwstream in(session.OpenUrl(url.c_str(), 1, openflag::Binary | openflag::Reload));
    char block[1024];
    std::size_t total = 0;
    int n;
    while ((n = in.read(block, sizeof block)) > 0)
        total += static_cast<std::size_t>(n);
    return in.state() == 0 || (in.state() == wstream::eofbit && total == expected)
               ? total == expected
               : false;
}

size_t intoString(char* data, size_t size, size_t count, void* out) {
    static_cast<std::string*>(out)->append(data, size * count);
    return size * count;
}

bool plainRead(CURL* easy, const std::string& url, std::string& body, std::size_t expected) {
    body.clear();
    curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, intoString);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &body);
    return curl_easy_perform(easy) == CURLE_OK && body.size() == expected;
}

} // namespace

int main() {
    test::HttpTestServer server;
    test::HttpTestServer::Reply big;
    big.generatedBytes = kBigBody;
    server.on("/big", big);
    server.on("/small", test::HttpTestServer::Reply{200, {}, "<html>small</html>"});
    const std::string bigUrl = server.url("/big");
    const std::string smallUrl = server.url("/small");
    const std::size_t smallSize = 18;

    CInternetSession session("bench");
    CURL* easy = curl_easy_init();
    std::string body;
    body.reserve(kBigBody);

    const auto [ours, plain] = bestOfBoth([&] { return ourRead(session, bigUrl, kBigBody); },
                                          [&] { return plainRead(easy, bigUrl, body, kBigBody); });
    // The server shares the machine with the client, so the wall-clock
    // figures swing with the load; the client thread's CPU time does not.
    std::printf("64 MiB body, ours/plain throughput: %.2f by client CPU time, %.2f by wall "
                "clock (goal >= 0.8)\n",
                plain.cpu / ours.cpu, plain.wall / ours.wall);

    const auto [fresh, reused] = bestOfBoth(
        [&] {
            for (int i = 0; i < kSmallCount; ++i) {
                CInternetSession each("bench");
                if (!ourRead(each, smallUrl, smallSize))
                    return false;
            }
            return true;
        },
        [&] {
            for (int i = 0; i < kSmallCount; ++i)
                if (!plainRead(easy, smallUrl, body, smallSize))
                    return false;
            return true;
        });
    std::printf("1000 small URLs, fresh sessions/one reused easy handle: %.2f by client CPU "
                "time, %.2f by wall clock (goal <= 1.5)\n",
                fresh.cpu / reused.cpu, fresh.wall / reused.wall);
    curl_easy_cleanup(easy);
    return 0;
}
