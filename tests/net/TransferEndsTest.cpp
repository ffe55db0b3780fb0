// Transfers end, whatever the server does: redirects whose bodies never end,
// answers that trickle forever, giant header lines, pooled connections the
// server closed, local names that are no files.
#include "NetTestSupport.h"
#include "RawSocketServer.h"
#include "TempDir.h"
#include "net/CInternetSession.h"
#include "net/UrlTransfer.h"
#include "platform/SystemError.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace qx;
using qx::test::msSince;
using qx::test::RawSocketServer;
using qx::test::readAll;
using qx::test::TempDir;
using Clock = std::chrono::steady_clock;

namespace {

constexpr std::uint32_t kFlags = 0x84000002;

std::string targetOf(const std::string& head) {
    const auto first = head.find(' ');
    if (first == std::string::npos)
        return {};
    return head.substr(first + 1, head.find(' ', first + 1) - first - 1);
}

// Sends chunks until the client goes away or the server has sent for
// `forMs` (so that a client that keeps reading still ends the test).
void sendChunksFor(RawSocketServer::Connection& c, int forMs, int everyMs = 0) {
    const auto start = Clock::now();
    const std::string chunk = "400\r\n" + std::string(0x400, 'x') + "\r\n";
    while (msSince(start) < forMs && c.send(chunk))
        if (everyMs > 0 && !c.pause(everyMs))
            return;
}

int statusOf(iurlwstream& in) {
    int status = 0;
    in.QueryStatusCode(status);
    return status;
}

UrlTransfer::Request requestFor(const std::string& url) {
    UrlTransfer::Request request;
    request.url = url;
    request.agent = "test";
    request.proxy = std::string();
    return request;
}

} // namespace

TEST(TransferEnds, RedirectHopStartsWhenItsHeadIsIn) {
    // Endless and large redirect bodies alike: the next hop must not wait
    // for them.
    for (const char* framing : {"Transfer-Encoding: chunked", "Content-Length: 100000000"}) {
        SCOPED_TRACE(framing);
        RawSocketServer server([framing](RawSocketServer::Connection& c) {
            const std::string target = targetOf(c.readRequest());
            if (target == "/final") {
                c.send("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok");
                return;
            }
            c.send(std::string("HTTP/1.1 302 Found\r\nLocation: /final\r\n") + framing +
                   "\r\n\r\n");
            sendChunksFor(c, 5000);
        });
        CInternetSession session("test");
        const auto start = Clock::now();
        iurlwstream in(session.OpenUrl(server.url("/moved").c_str(), 1, kFlags));
        EXPECT_LT(msSince(start), 2000);
        ASSERT_EQ(in.state(), 0);
        EXPECT_EQ(statusOf(in), 200);
        EXPECT_EQ(readAll(in), "ok");
    }
}

TEST(TransferEnds, RedirectsLeadOnlyToTheSchemesTheRequestAllows) {
    RawSocketServer server([](RawSocketServer::Connection& c) {
        const std::string target = targetOf(c.readRequest());
        if (target == "/final")
            c.send("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok");
        else
            c.send("HTTP/1.1 301 Moved\r\nLocation: /final\r\nContent-Length: 0\r\n\r\n");
    });
    UrlTransfer::Request request = requestFor(server.url("/moved"));
    {
        UrlTransfer transfer(nullptr);
        EXPECT_EQ(transfer.open(request), platform::err::Success);
        EXPECT_EQ(transfer.statusCode(), 200);
    }
    request.redirectSchemes = {"https"};
    UrlTransfer transfer(nullptr);
    EXPECT_EQ(transfer.open(request), platform::err::HttpRedirectFailed);
}

TEST(TransferEnds, TricklingAnswerEndsAtTheOverallLimit) {
    RawSocketServer server([](RawSocketServer::Connection& c) {
        c.readRequest();
        c.send("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n");
        sendChunksFor(c, 10000, 100);
    });
    UrlTransfer::Request request = requestFor(server.url("/"));
    request.limits.totalTimeoutMs = 800;
    UrlTransfer transfer(nullptr);
    const auto start = Clock::now();
    ASSERT_EQ(transfer.open(request), platform::err::Success);
    char block[4096];
    int n = 0;
    while ((n = transfer.read(block, sizeof block)) > 0) {
    }
    EXPECT_EQ(n, -1);
    EXPECT_EQ(platform::lastError(), platform::err::InternetTimeout);
    EXPECT_GE(msSince(start), 700);
    EXPECT_LT(msSince(start), 3000);
}

TEST(TransferEnds, AnnouncedLengthBuysTimeAtTheMinimumRate) {
    // 3000 bytes in about a second: past the overall limit of 400 ms, but
    // well within what 3000 bytes at 1000 bytes a second may take.
    RawSocketServer server([](RawSocketServer::Connection& c) {
        c.readRequest();
        c.send("HTTP/1.1 200 OK\r\nContent-Length: 3000\r\n\r\n");
        for (int i = 0; i < 10 && c.pause(100); ++i)
            c.send(std::string(300, 'y'));
    });
    UrlTransfer::Request request = requestFor(server.url("/"));
    request.limits.totalTimeoutMs = 400;
    request.limits.minBytesPerSecond = 1000;
    UrlTransfer transfer(nullptr);
    ASSERT_EQ(transfer.open(request), platform::err::Success);
    std::size_t total = 0;
    char block[4096];
    for (int n; (n = transfer.read(block, sizeof block)) > 0;)
        total += static_cast<std::size_t>(n);
    EXPECT_EQ(total, 3000u);
}

TEST(TransferEnds, GiantHeaderLineIsAnAnswerNotAMemoryShortage) {
    RawSocketServer server(RawSocketServer::replyWith(
        "HTTP/1.1 200 OK\r\nX-Giant: " + std::string(1024 * 1024, 'g') + "\r\n\r\n"));
    CInternetSession session("test");
    platform::setLastError(0);
    EXPECT_EQ(session.OpenUrl(server.url("/").c_str(), 1, kFlags), nullptr);
    EXPECT_EQ(platform::lastError(), platform::err::HttpInvalidServerResponse);
}

TEST(TransferEnds, PooledConnectionClosedByTheServerIsReplaced) {
    // The server answers the first request on a connection, then closes it
    // without a word when the next request arrives on it: the request goes
    // out again on a new connection.
    RawSocketServer server([](RawSocketServer::Connection& c) {
        const std::string target = targetOf(c.readRequest());
        if (target == "/final") {
            c.send("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok");
        } else {
            c.send("HTTP/1.1 302 Found\r\nLocation: /final\r\nContent-Length: 0\r\n\r\n");
        }
        c.readRequest();
    });
    CInternetSession session("test");
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        iurlwstream in(session.OpenUrl(server.url("/moved").c_str(), 1, kFlags));
        ASSERT_EQ(in.state(), 0) << platform::lastError();
        EXPECT_EQ(statusOf(in), 200);
        EXPECT_EQ(readAll(in), "ok");
    }
}

TEST(TransferEnds, FileAddressesOpenOnlyRegularFiles) {
    TempDir dir;
    const std::string fifo = dir.file("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    CInternetSession session("test");
    // On a failure the open would wait for a writer for ever: run it aside and
    // give it one if it hangs.
    auto opened = std::async(std::launch::async, [&] {
        platform::setLastError(0);
        const bool none = session.OpenUrl(("file://" + fifo).c_str(), 1, kFlags) == nullptr;
        return none ? platform::lastError() : platform::err::Success;
    });
    if (opened.wait_for(std::chrono::seconds(3)) != std::future_status::ready) {
        const int writer = ::open(fifo.c_str(), O_WRONLY);
        ::close(writer);
        ADD_FAILURE() << "opening a pipe blocked";
    }
    EXPECT_EQ(opened.get(), platform::err::NotARegularFile);

    for (const std::string& name : {std::string("/dev/zero"), dir.path()}) {
        SCOPED_TRACE(name);
        platform::setLastError(0);
        EXPECT_EQ(session.OpenUrl(("file://" + name).c_str(), 1, kFlags), nullptr);
        EXPECT_EQ(platform::lastError(), platform::err::NotARegularFile);
    }
    const std::string file = dir.write("page.html", "<p>hello</p>");
    iurlwstream in(session.OpenUrl(("file://" + file).c_str(), 1, kFlags));
    ASSERT_EQ(in.state(), 0);
    EXPECT_EQ(readAll(in), "<p>hello</p>");
}

TEST(TransferEnds, ParallelRedirectChainsAgainstAServerClosingAfterEachAnswer) {
    // Each answer is the last on its connection, though the server does not
    // say so: a pooled connection may be dead by the time it is reused.
    RawSocketServer server([](RawSocketServer::Connection& c) {
        const std::string target = targetOf(c.readRequest());
        const int hop = target.size() > 2 ? std::atoi(target.c_str() + 2) : 0;
        if (hop >= 5)
            c.send("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok");
        else
            c.send("HTTP/1.1 302 Found\r\nLocation: /h" + std::to_string(hop + 1) +
                   "\r\nContent-Length: " + std::string(hop % 2 ? "0" : "5") + "\r\n\r\n" +
                   (hop % 2 ? "" : "moved"));
    });
    std::atomic<int> failures{0};
    std::vector<std::thread> workers;
    for (int w = 0; w < 16; ++w)
        workers.emplace_back([&] {
            for (int i = 0; i < 20; ++i) {
                CInternetSession session("test");
                iurlwstream in(session.OpenUrl(server.url("/h0").c_str(), 1, kFlags));
                if (in.state() != 0 || statusOf(in) != 200)
                    ++failures;
            }
        });
    for (auto& t : workers)
        t.join();
    EXPECT_EQ(failures, 0);
}
