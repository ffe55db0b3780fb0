// The servers the network tests stand on, checked with a plain libcurl
// transfer so that a fault in them is not mistaken for one in the session.
#include "HttpTestServer.h"
#include "RawSocketServer.h"

#include <curl/curl.h>
#include <gtest/gtest.h>

using qx::test::HttpTestServer;
using qx::test::RawSocketServer;

namespace {

struct Fetched {
    CURLcode code = CURLE_OK;
    long status = 0;
    std::string body;
};

Fetched fetch(const std::string& url, bool follow = false) {
    Fetched out;
    CURL* h = curl_easy_init();
    curl_easy_setopt(h, CURLOPT_URL, url.c_str());
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, follow ? 1L : 0L);
    curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, 5000L);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &out.body);
    curl_easy_setopt(
        h, CURLOPT_WRITEFUNCTION, +[](char* p, size_t, size_t n, void* body) {
            static_cast<std::string*>(body)->append(p, n);
            return n;
        });
    out.code = curl_easy_perform(h);
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &out.status);
    curl_easy_cleanup(h);
    return out;
}

} // namespace

TEST(TestServers, HttpServerAnswersScriptedRepliesAndRecordsRequests) {
    HttpTestServer server;
    server.on("/a", HttpTestServer::Reply{404, {{"X-Test", "1"}}, "gone"});
    HttpTestServer::Reply big;
    big.generatedBytes = 200000;
    server.on("/big", big);
    server.redirect("/old", "/a");

    Fetched a = fetch(server.url("/a"));
    EXPECT_EQ(a.status, 404);
    EXPECT_EQ(a.body, "gone");
    Fetched b = fetch(server.url("/big"));
    ASSERT_EQ(b.body.size(), 200000u);
    EXPECT_EQ(b.body[123456], HttpTestServer::generatedByte(123456));
    EXPECT_EQ(fetch(server.url("/old"), true).status, 404);

    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 4u);
    EXPECT_EQ(requests[0].target, "/a");
    EXPECT_EQ(requests[0].method, "GET");
    EXPECT_TRUE(requests[0].hasHeader("host"));
}

TEST(TestServers, RawServerSendsExactlyItsBytes) {
    RawSocketServer server(
        RawSocketServer::replyWith("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok"));
    Fetched a = fetch(server.url("/x"));
    EXPECT_EQ(a.code, CURLE_OK);
    EXPECT_EQ(a.body, "ok");
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0].rfind("GET /x HTTP/1.1\r\n", 0), 0u);
}
