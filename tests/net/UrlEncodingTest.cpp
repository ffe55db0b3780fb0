#include "net/UrlEncoding.h"
#include "HttpTestServer.h"
#include "NetTestSupport.h"
#include "net/CInternetSession.h"

#include <gtest/gtest.h>

using namespace qx;
using qx::test::HttpTestServer;

TEST(UrlEncoding, ComponentsKeepOnlyUnreservedAndWhatTheCallerKeeps) {
    EXPECT_EQ(UrlEncoding::percentEncode("a b/c?d=é&~_.-"), "a%20b%2Fc%3Fd%3D%C3%A9%26~_.-");
    EXPECT_EQ(UrlEncoding::percentEncode("/dir/a b", "/"), "/dir/a%20b");
    EXPECT_EQ(UrlEncoding::percentEncode(std::string("\0\xff", 2)), "%00%FF");
}

TEST(UrlEncoding, RequestFormEscapesOnlyWhatNoAddressMayHold) {
    EXPECT_EQ(UrlEncoding::forRequest("http://h.org/a b/c d?q=x y#f g"),
              "http://h.org/a%20b/c%20d?q=x%20y#f%20g");
    // A valid address comes out as it went in, escapes and delimiters alike.
    const char* valid = "https://user:pw@h.org:8080/a%20b/;p?q=1&r=%2F#top";
    EXPECT_EQ(UrlEncoding::forRequest(valid), valid);
    EXPECT_EQ(UrlEncoding::forRequest("http://h.org/\"<>\\^`{|}\t\x7f"),
              "http://h.org/%22%3C%3E%5C%5E%60%7B%7C%7D%09%7F");
    EXPECT_EQ(UrlEncoding::forRequest("http://h.org/straße"), "http://h.org/stra%C3%9Fe");
    // Relative references (a redirect's Location) and addresses without a host.
    EXPECT_EQ(UrlEncoding::forRequest("/new place"), "/new%20place");
    EXPECT_EQ(UrlEncoding::forRequest("//h.org/x y"), "//h.org/x%20y");
    EXPECT_EQ(UrlEncoding::forRequest("mailto:a b@h.org"), "mailto:a%20b@h.org");
    EXPECT_EQ(UrlEncoding::forRequest(""), "");
    // Twice is once.
    const std::string once = UrlEncoding::forRequest("http://h.org/ä ö?x=<1>");
    EXPECT_EQ(UrlEncoding::forRequest(once), once);
}

TEST(UrlEncoding, HostsBeyondAsciiGoOutInTheirIdnaForm) {
    EXPECT_EQ(UrlEncoding::forRequest("http://bücher.example:81/ä"),
              "http://xn--bcher-kva.example:81/%C3%A4");
    EXPECT_EQ(UrlEncoding::forRequest("http://u@bücher.example/"),
              "http://u@xn--bcher-kva.example/");
}

TEST(UrlEncoding, AddressWithABlankIsRequestedEncoded) {
    HttpTestServer server;
    server.on("/with blank", HttpTestServer::Reply{200, {}, "found"});
    server.on("/target page", HttpTestServer::Reply{200, {}, "moved here"});
    server.redirect("/old page", "/target page", 301);
    CInternetSession session("test");
    iurlwstream in(session.OpenUrl(server.url("/with blank").c_str(), 1, 0x84000002));
    ASSERT_EQ(in.state(), 0);
    EXPECT_EQ(test::readAll(in), "found");
    iurlwstream moved(session.OpenUrl(server.url("/old page").c_str(), 1, 0x84000002));
    ASSERT_EQ(moved.state(), 0);
    EXPECT_EQ(test::readAll(moved), "moved here");
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].target, "/with%20blank");
    EXPECT_EQ(requests[2].target, "/target%20page");
}
