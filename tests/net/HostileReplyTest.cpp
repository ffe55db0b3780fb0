// Servers that misbehave: every case ends with an error code, none hangs.
#include "Eventually.h"
#include "HttpTestServer.h"
#include "NetTestSupport.h"
#include "RawSocketServer.h"
#include "net/CInternetSession.h"
#include "platform/SystemError.h"

#include <gtest/gtest.h>

#include <thread>

using namespace qx;
using qx::test::HttpTestServer;
using qx::test::msSince;
using qx::test::RawSocketServer;
using qx::test::readAll;
using Clock = std::chrono::steady_clock;

namespace {

constexpr std::uint32_t kFlags = 0x84000002;

// The error of an open that must fail.
platform::SysError openError(const std::string& url, std::uint32_t stallMs = 60000) {
    CInternetSession session("test");
    session.SetOption(option::ReceiveTimeout, stallMs);
    platform::setLastError(0);
    if (session.OpenUrl(url.c_str(), 1, kFlags) != nullptr)
        return 0;
    return platform::lastError();
}

} // namespace

TEST(HostileReply, BrokenHeadsAreInvalidAnswers) {
    RawSocketServer noStatusLine(RawSocketServer::replyWith("just some bytes\r\n\r\nand more"));
    EXPECT_EQ(openError(noStatusLine.url("/")), platform::err::HttpInvalidServerResponse);

    RawSocketServer truncatedHead(
        RawSocketServer::replyWith("HTTP/1.1 200 OK\r\nContent-Type: text/ht"));
    EXPECT_EQ(openError(truncatedHead.url("/")), platform::err::HttpInvalidServerResponse);

    RawSocketServer nothing(RawSocketServer::replyWith(""));
    EXPECT_EQ(openError(nothing.url("/")), platform::err::HttpInvalidServerResponse);

    std::string huge = "HTTP/1.1 200 OK\r\n";
    for (int i = 0; i < 3000; ++i)
        huge += "X-Filler-" + std::to_string(i) + ": " + std::string(60, 'f') + "\r\n";
    huge += "\r\n";
    RawSocketServer hugeHead(RawSocketServer::replyWith(huge));
    EXPECT_EQ(openError(hugeHead.url("/")), platform::err::HttpInvalidServerResponse);
}

TEST(HostileReply, CutOrResetBodyFailsTheReadAfterTheBytesThatCame) {
    RawSocketServer truncated(RawSocketServer::replyWith(
        "HTTP/1.1 200 OK\r\nContent-Length: 100\r\nConnection: close\r\n\r\nonly ten.."));
    CInternetSession session("test");
    {
        iurlwstream in(session.OpenUrl(truncated.url("/").c_str(), 1, kFlags));
        ASSERT_EQ(in.state(), 0);
        bool failed = false;
        EXPECT_EQ(readAll(in, &failed), "only ten..");
        EXPECT_TRUE(failed);
        EXPECT_EQ(platform::lastError(), platform::err::InternetConnectionAborted);
    }

    const std::string body(20000, 'b');
    RawSocketServer reset(RawSocketServer::replyThenReset(
        "HTTP/1.1 200 OK\r\nContent-Length: 1000000\r\n\r\n" + body));
    iurlwstream in(session.OpenUrl(reset.url("/").c_str(), 1, kFlags));
    ASSERT_EQ(in.state(), 0);
    bool failed = false;
    const std::string got = readAll(in, &failed);
    EXPECT_TRUE(failed);
    EXPECT_LE(got.size(), body.size());
    EXPECT_EQ(platform::lastError(), platform::err::InternetConnectionReset);
}

TEST(HostileReply, SilentServerTimesOutAtTheStallLimit) {
    RawSocketServer silent(RawSocketServer::silent());
    const auto start = Clock::now();
    EXPECT_EQ(openError(silent.url("/"), 1000), platform::err::InternetTimeout);
    const long took = msSince(start);
    EXPECT_GE(took, 900);
    EXPECT_LT(took, 5000);

    // Silence after the head: the read times out the same way.
    RawSocketServer stalls([](RawSocketServer::Connection& c) {
        c.readRequest();
        c.send("HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nab");
        c.hold();
    });
    CInternetSession session("test");
    session.SetOption(option::ReceiveTimeout, 1000);
    iurlwstream in(session.OpenUrl(stalls.url("/").c_str(), 1, kFlags));
    ASSERT_EQ(in.state(), 0);
    bool failed = false;
    EXPECT_EQ(readAll(in, &failed), "ab");
    EXPECT_TRUE(failed);
    EXPECT_EQ(platform::lastError(), platform::err::InternetTimeout);
}

TEST(HostileReply, ClosingTheSessionStopsAnEndlessBodyPromptly) {
    HttpTestServer server;
    HttpTestServer::Reply endless;
    endless.endless = true;
    server.on("/endless", endless);
    CInternetSession session("test");
    iurlwstream in(session.OpenUrl(server.url("/endless").c_str(), 1, kFlags));
    ASSERT_EQ(in.state(), 0);

    std::atomic<bool> reading{false};
    std::atomic<Clock::rep> stoppedAt{0};
    long stopLatency = -1;
    platform::SysError error = 0;
    std::thread worker([&] {
        char block[1024];
        while (in.read(block, sizeof block) == sizeof block)
            reading = true;
        stopLatency = msSince(Clock::time_point(Clock::duration(stoppedAt.load())));
        error = platform::lastError();
    });
    ASSERT_TRUE(qx::test::eventually([&] { return reading.load(); }));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    stoppedAt = Clock::now().time_since_epoch().count();
    session.Close();
    worker.join();
    EXPECT_LT(stopLatency, 2000);
    EXPECT_EQ(error, platform::err::InternetOperationCancelled);
    RecordProperty("StopLatencyMs", static_cast<int>(stopLatency));
}

TEST(HostileReply, ClosingStopsAnOpenWaitingForASilentServer) {
    RawSocketServer silent(RawSocketServer::silent());
    CInternetSession session("test");
    std::thread stopper([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        session.Close();
    });
    const auto start = Clock::now();
    EXPECT_EQ(session.OpenUrl(silent.url("/").c_str(), 1, kFlags), nullptr);
    EXPECT_EQ(platform::lastError(), platform::err::InternetOperationCancelled);
    EXPECT_LT(msSince(start), 2000);
    stopper.join();
}
