#include "HttpTestServer.h"
#include "NetTestSupport.h"
#include "RawSocketServer.h"
#include "TempDir.h"
#include "net/ActiveNode.h"
#include "net/CInternetSession.h"
#include "net/MyInternetSession.h"
#include "net/httpwstreambuf.h"
#include "platform/SystemError.h"
#include "settings/Options.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <set>
#include <thread>
#include <vector>

using namespace qx;
using qx::test::HttpTestServer;
using qx::test::RawSocketServer;
using qx::test::readAll;

namespace {

constexpr std::uint32_t kCheckFlags = 0x84000002;

iurlwstream open(CInternetSession& session, const std::string& url, const char* headers = nullptr) {
    return iurlwstream(session.OpenUrl(url.c_str(), 1, kCheckFlags, headers, -1));
}

std::string requestLine(const std::string& head) {
    return head.substr(0, head.find("\r\n"));
}

} // namespace

TEST(InternetSession, StatusAndHeadersOfEveryKindOfAnswer) {
    HttpTestServer server;
    for (int code : {200, 304, 404, 500}) {
        HttpTestServer::Reply with{
            code, {{"Last-Modified", "Sun, 06 Nov 1994 08:49:37 GMT"}}, "body"};
        with.contentType = "text/html; charset=windows-1251";
        server.on("/with" + std::to_string(code), with);
        server.on("/without" + std::to_string(code), HttpTestServer::Reply{code, {}, "x"});
    }
    CInternetSession session("test");
    for (int code : {200, 304, 404, 500}) {
        SCOPED_TRACE(code);
        iurlwstream with = open(session, server.url("/with" + std::to_string(code)));
        ASSERT_EQ(with.state(), 0);
        ASSERT_TRUE(with.IsHttp());
        int status = 0;
        ASSERT_TRUE(with.QueryStatusCode(status));
        EXPECT_EQ(status, code);
        platform::SystemTime modified;
        ASSERT_TRUE(with.QueryInfoTime(query::LastModified, modified));
        EXPECT_EQ(modified.year, 1994);
        EXPECT_EQ(modified.month, 11);
        EXPECT_EQ(modified.day, 6);
        EXPECT_EQ(modified.hour, 8);
        EXPECT_EQ(modified.second, 37);
        if (code != 304) {
            Str type;
            ASSERT_TRUE(with.QueryInfoText(query::ContentType, type));
            EXPECT_EQ(type.view(), "text/html; charset=windows-1251");
            std::uint32_t length = 0;
            ASSERT_TRUE(with.QueryInfoNumber(query::ContentLength, length));
            EXPECT_EQ(length, 4u);
            length = 0;
            ASSERT_TRUE(with.QueryInfoNumber(query::ContentLength | 0x20000000, length));
            EXPECT_EQ(length, 4u);
            EXPECT_EQ(readAll(with), "body");
        }

        iurlwstream without = open(session, server.url("/without" + std::to_string(code)));
        ASSERT_TRUE(without.QueryStatusCode(status));
        EXPECT_EQ(status, code);
        platform::SystemTime none;
        EXPECT_FALSE(without.QueryInfoTime(query::LastModified, none));
        EXPECT_EQ(platform::lastError(), platform::err::HttpHeaderNotFound);
        EXPECT_EQ(none.year, 0); // a failed query leaves the value alone
        Str untouched("keep");
        EXPECT_FALSE(without.QueryInfoText(99, untouched));
        EXPECT_EQ(platform::lastError(), platform::err::HttpInvalidQueryRequest);
        EXPECT_EQ(untouched.view(), "keep");
    }
}

TEST(InternetSession, AnswerWithoutLengthReadsToTheEndAndKeepsTheCallersLength) {
    RawSocketServer server(RawSocketServer::replyWith(
        "HTTP/1.1 200 OK\r\nConnection: close\r\nContent-Type: text/plain\r\n\r\nall of it"));
    CInternetSession session("test");
    iurlwstream in = open(session, server.url("/"));
    std::uint32_t length = 0xFFFFFFFF;
    EXPECT_FALSE(in.QueryInfoNumber(query::ContentLength, length));
    EXPECT_EQ(length, 0xFFFFFFFFu);
    EXPECT_EQ(readAll(in), "all of it");
}

TEST(InternetSession, HeadIsReadyBeforeTheBodyArrives) {
    RawSocketServer server([](RawSocketServer::Connection& c) {
        c.readRequest();
        c.send("HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\n");
        c.pause(1500);
        c.send("later");
    });
    CInternetSession session("test");
    const auto start = std::chrono::steady_clock::now();
    iurlwstream in = open(session, server.url("/slow"));
    int status = 0;
    ASSERT_TRUE(in.QueryStatusCode(status));
    EXPECT_EQ(status, 200);
    EXPECT_LT(test::msSince(start), 1000);
    EXPECT_EQ(readAll(in), "later");
}

TEST(InternetSession, RequestCarriesAgentConditionAndReloadHeadersExactly) {
    RawSocketServer server(
        RawSocketServer::replyWith("HTTP/1.1 304 Not Modified\r\nContent-Length: 0\r\n\r\n"));
    Options options;
    MyInternetSession session(options);
    const std::string date = platform::formatHttpDate({2024, 2, 0, 29, 13, 5, 9, 0});
    const std::string condition = "If-Modified-Since: " + date + "\r\n";
    iurlwstream in = open(session, server.url("/page?q=1"), condition.c_str());
    int status = 0;
    ASSERT_TRUE(in.QueryStatusCode(status));
    EXPECT_EQ(status, 304);
    ASSERT_EQ(server.requests().size(), 1u);
    const std::string head = server.requests()[0];
    EXPECT_EQ(requestLine(head), "GET /page?q=1 HTTP/1.1");
    EXPECT_NE(head.find("\r\nIf-Modified-Since: Thu, 29 Feb 2024 13:05:09 GMT\r\n"),
              std::string::npos);
    EXPECT_NE(head.find("\r\nUser-Agent: NorbaSeek\r\n"), std::string::npos);
    EXPECT_NE(head.find("\r\nCache-Control: no-cache\r\n"), std::string::npos);
    EXPECT_NE(head.find("\r\nPragma: no-cache\r\n"), std::string::npos);

    ActiveNode download(options);
    iurlwstream plain(download.OpenUrl(server.url("/").c_str(), 1, 0x2, nullptr, 0));
    ASSERT_EQ(plain.state(), 0);
    const std::string second = server.requests().back();
    EXPECT_NE(second.find("\r\nUser-Agent: Norba Seek 1.2\r\n"), std::string::npos);
    EXPECT_EQ(second.find("no-cache"), std::string::npos);
}

TEST(InternetSession, RedirectsAreFollowedToTheFinalAddressWithinLimits) {
    HttpTestServer server;
    server.redirect("/a", "/b", 301);
    server.redirect("/b", server.url("/c"), 302);
    server.on("/c", HttpTestServer::Reply{200, {}, "final"});
    server.redirect("/loop", "/loop", 302);
    server.redirect("/toftp", "ftp://127.0.0.1/x", 301);
    server.redirect("/tofile", "file:///etc/passwd", 301);
    const std::string longPath = "/" + std::string(5000, 'p');
    server.on(longPath, HttpTestServer::Reply{200, {}, "deep"});
    server.redirect("/tolong", longPath, 307);

    CInternetSession session("test");
    std::vector<std::string> hops;
    session.SetStatusCallback(
        [&](std::uintptr_t, std::uint32_t code, const void* info, std::uint32_t length) {
            if (code == status::Redirect)
                hops.emplace_back(static_cast<const char*>(info), length);
        });
    iurlwstream in = open(session, server.url("/a"));
    ASSERT_EQ(in.state(), 0);
    Str final;
    ASSERT_TRUE(in.QueryFinalUrl(final));
    EXPECT_EQ(final.view(), server.url("/c"));
    EXPECT_EQ(readAll(in), "final");
    EXPECT_EQ(hops, (std::vector<std::string>{server.url("/b"), server.url("/c")}));

    iurlwstream deep = open(session, server.url("/tolong"));
    ASSERT_TRUE(deep.QueryFinalUrl(final));
    EXPECT_EQ(final.view(), server.url(longPath)); // never cut to a fixed buffer

    for (const char* path : {"/loop", "/toftp", "/tofile"}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(session.OpenUrl(server.url(path).c_str(), 1, kCheckFlags), nullptr);
        EXPECT_EQ(platform::lastError(), platform::err::HttpRedirectFailed);
    }
}

TEST(InternetSession, ProxyTextFollowsTheSettings) {
    RawSocketServer proxy(
        RawSocketServer::replyWith("HTTP/1.1 200 OK\r\nContent-Length: 7\r\n\r\nproxied"));
    Options options;
    options.useProxy = true;
    options.proxyAdr = "127.0.0.1";
    options.proxyPort = std::to_string(proxy.port());
    MyInternetSession check(options);
    std::string text;
    ASSERT_TRUE(check.QueryOption(option::Proxy, text));
    EXPECT_EQ(text, "127.0.0.1:" + options.proxyPort);
    iurlwstream in = open(check, "http://origin.invalid/page");
    ASSERT_EQ(in.state(), 0);
    EXPECT_EQ(readAll(in), "proxied");
    ASSERT_EQ(proxy.requests().size(), 1u);
    EXPECT_EQ(requestLine(proxy.requests()[0]), "GET http://origin.invalid/page HTTP/1.1");

    // The download session takes the address alone, port or not.
    ActiveNode download(options);
    ASSERT_TRUE(download.QueryOption(option::Proxy, text));
    EXPECT_EQ(text, "127.0.0.1");
    options.proxyPort.clear();
    MyInternetSession noPort(options);
    ASSERT_TRUE(noPort.QueryOption(option::Proxy, text));
    EXPECT_EQ(text, "127.0.0.1");

    // Off: the system's set-up, which is libcurl's reading of the environment.
    options.useProxy = false;
    options.proxyPort = "3128";
    MyInternetSession off(options);
    ASSERT_TRUE(off.QueryOption(option::Proxy, text));
    EXPECT_EQ(text, "");
}

TEST(InternetSession, FileUrlIsReadFromDiskWithoutTheNetwork) {
    test::TempDir dir;
    const std::string path = dir.write("a page.html", "<html>local</html>");
    CInternetSession session("test");
    bool notified = false;
    session.SetStatusCallback(
        [&](std::uintptr_t, std::uint32_t, const void*, std::uint32_t) { notified = true; });
    std::string url = "file://" + path;
    url.replace(url.find(' '), 1, "%20");
    iurlwstream in = open(session, url);
    ASSERT_EQ(in.state(), 0);
    EXPECT_FALSE(in.IsHttp());
    int status = 7;
    EXPECT_FALSE(in.QueryStatusCode(status));
    EXPECT_EQ(status, 7);
    EXPECT_EQ(readAll(in), "<html>local</html>");
    EXPECT_FALSE(notified);

    EXPECT_EQ(session.OpenUrl(("file://" + dir.file("missing")).c_str(), 1, kCheckFlags), nullptr);
    EXPECT_EQ(platform::lastError(), platform::err::FileNotFound);
}

TEST(InternetSession, RefusedOpensSayWhy) {
    CInternetSession session("test");
    EXPECT_EQ(session.OpenUrl("http://127.0.0.1:1/", 1, 0x3), nullptr); // both modes
    EXPECT_EQ(platform::lastError(), platform::err::InvalidParameter);
    EXPECT_EQ(session.OpenUrl("mailto:someone@example.org", 1, kCheckFlags), nullptr);
    EXPECT_EQ(platform::lastError(), platform::err::InternetUnrecognizedScheme);
    EXPECT_EQ(session.OpenUrl("http://[::1", 1, kCheckFlags), nullptr);
    EXPECT_EQ(platform::lastError(), platform::err::InternetInvalidUrl);

    // A port nobody listens on: the listener is closed before the open.
    int closedPort = 0;
    {
        RawSocketServer gone(RawSocketServer::silent());
        closedPort = gone.port();
    }
    EXPECT_EQ(session.OpenUrl(("http://127.0.0.1:" + std::to_string(closedPort) + "/").c_str(), 1,
                              kCheckFlags),
              nullptr);
    EXPECT_EQ(platform::lastError(), platform::err::InternetCannotConnect);
}

TEST(InternetSession, CloseTwiceClosesOnceAndRestoresTheReplacedCallbackOnce) {
    Options options;
    auto session = std::make_unique<MyInternetSession>(options);
    int calls = 0;
    // The check session installed its own callback; a later one replaces it
    // and hands back the check callback.
    InternetStatusCallback check = session->SetStatusCallback(
        [&](std::uintptr_t, std::uint32_t, const void*, std::uint32_t) { ++calls; });
    EXPECT_TRUE(static_cast<bool>(check));
    EXPECT_TRUE(session->isopen());
    session->Close();
    EXPECT_FALSE(session->isopen());
    session->Close();
    EXPECT_EQ(session->OpenUrl("http://127.0.0.1:1/", 1, kCheckFlags), nullptr);
    EXPECT_EQ(platform::lastError(), platform::err::InvalidHandle);
    std::uint32_t type = 0;
    EXPECT_FALSE(session->QueryOption(option::HandleType, type));
    session.reset(); // the destructor's close is a third call
    EXPECT_EQ(calls, 0);
}

TEST(InternetSession, OptionsTheWorkersUse) {
    CInternetSession session("agent");
    std::uint32_t value = 0;
    ASSERT_TRUE(session.QueryOption(option::HandleType, value));
    EXPECT_EQ(value, handletype::Internet);
    ASSERT_TRUE(session.QueryOption(option::ConnectTimeout, value));
    EXPECT_EQ(value, 30000u);
    ASSERT_TRUE(session.QueryOption(option::ReceiveTimeout, value));
    EXPECT_EQ(value, 60000u);
    EXPECT_TRUE(session.SetOption(option::ReceiveTimeout, 1000));
    ASSERT_TRUE(session.QueryOption(option::ReceiveTimeout, value));
    EXPECT_EQ(value, 1000u);
    std::string text;
    EXPECT_TRUE(session.SetOption(option::UserAgent, std::string("other")));
    ASSERT_TRUE(session.QueryOption(option::UserAgent, text));
    EXPECT_EQ(text, "other");
    EXPECT_FALSE(session.SetOption(17, 1));
    EXPECT_EQ(platform::lastError(), platform::err::InternetInvalidOption);
    EXPECT_FALSE(session.QueryOption(0, value));
}

TEST(InternetSession, SessionsShareTheirConnections) {
    HttpTestServer server;
    server.on("/a", HttpTestServer::Reply{200, {}, "a"});
    for (int i = 0; i < 5; ++i) {
        CInternetSession session("test");
        iurlwstream in = open(session, server.url("/a"));
        EXPECT_EQ(readAll(in), "a");
    }
    std::set<int> ports;
    for (const auto& request : server.requests())
        ports.insert(request.remotePort);
    EXPECT_EQ(server.requests().size(), 5u);
    EXPECT_EQ(ports.size(), 1u); // one connection served all five sessions
}

// More hosts than libcurl keeps idle connections for a lone transfer: every
// host still gets one connection for all its requests, and never a request
// meant for another.
TEST(InternetSession, PooledConnectionsServeManyHostsEachWithItsOwnRequests) {
    constexpr int kServers = 8;
    constexpr int kRounds = 4;
    std::vector<std::unique_ptr<HttpTestServer>> servers;
    for (int s = 0; s < kServers; ++s) {
        servers.push_back(std::make_unique<HttpTestServer>());
        servers.back()->on("/s" + std::to_string(s), HttpTestServer::Reply{304, {}, ""});
    }
    for (int round = 0; round < kRounds; ++round) {
        for (int s = 0; s < kServers; ++s) {
            CInternetSession session("test");
            iurlwstream in = open(session, servers[s]->url("/s" + std::to_string(s)));
            int status = 0;
            ASSERT_TRUE(in.QueryStatusCode(status));
            EXPECT_EQ(status, 304);
        }
    }
    for (int s = 0; s < kServers; ++s) {
        std::set<int> ports;
        for (const auto& request : servers[s]->requests()) {
            EXPECT_EQ(request.target, "/s" + std::to_string(s));
            ports.insert(request.remotePort);
        }
        EXPECT_EQ(servers[s]->requests().size(), static_cast<std::size_t>(kRounds));
        EXPECT_EQ(ports.size(), 1u) << "server " << s;
    }
}

// A request cancelled while its answer is on the way leaves that answer on
// its connection: the next request must not be given it.
TEST(InternetSession, CancelledRequestNeverHandsItsConnectionOn) {
    HttpTestServer server;
    HttpTestServer::Reply slow{200, {}, "slow"};
    slow.delayMs = 400;
    server.on("/slow", slow);
    server.on("/fast", HttpTestServer::Reply{200, {}, "fast"});
    {
        CInternetSession session("test");
        std::thread stopper([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            session.Close();
        });
        iurlwstream in = open(session, server.url("/slow"));
        EXPECT_FALSE(in.good());
        stopper.join();
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(500)); // the slow answer has gone out
    CInternetSession session("test");
    iurlwstream in = open(session, server.url("/fast"));
    EXPECT_EQ(readAll(in), "fast");
}

TEST(InternetSession, LongHeaderValuesAreNeverCut) {
    HttpTestServer server;
    const std::string type = "text/html; charset=utf-8; x=" + std::string(20000, 'v');
    HttpTestServer::Reply reply{200, {}, "x"};
    reply.contentType = type;
    server.on("/long", reply);
    CInternetSession session("test");
    iurlwstream in = open(session, server.url("/long"));
    Str got;
    ASSERT_TRUE(in.QueryInfoText(query::ContentType, got));
    EXPECT_EQ(got.view(), type);
}
