#include "platform/StatusLine.h"
#include "HttpTestServer.h"
#include "NetTestSupport.h"
#include "lang/Language.h"
#include "net/ActiveNode.h"
#include "net/CInternetSession.h"
#include "net/CurlError.h"
#include "net/StatusCallbackData.h"
#include "net/StatusText.h"
#include "settings/Options.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

using namespace qx;
using qx::test::HttpTestServer;

namespace {

const std::string kDot = "\xC2\xB7";

std::string indicator(int bars) {
    std::string text(static_cast<std::size_t>(bars), '|');
    for (int i = bars; i < 10; ++i)
        text += kDot;
    return text;
}

std::string programFolder() {
    const char* dir = std::getenv("QX_PROGRAM_DIR");
    return dir ? dir : "";
}

} // namespace

TEST(StatusLine, ElevenReceivingNotificationsRunTheIndicatorRound) {
    std::uint32_t counter = 0;
    const int expected[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 1};
    for (int bars : expected)
        EXPECT_EQ(ProgressIndicator(counter, 9), indicator(bars));

    // The download session's own indicator goes up to ten bars.
    counter = 9;
    EXPECT_EQ(ProgressIndicator(counter, 10), std::string(10, '|'));
    EXPECT_EQ(ProgressIndicator(counter, 10), indicator(0));
}

TEST(StatusLine, CheckCallbackFormatsTheLanguagesMessages) {
    Language language(programFolder());
    std::string code = "enu";
    ASSERT_EQ(language.load(code), 0u);
    platform::StatusLine worker;
    StatusCallbackData data{&worker, Str("Checking http://h/"), 0, &language};
    const auto context = reinterpret_cast<std::uintptr_t>(&data);
    auto line = [&](std::uint32_t status, const void* info = nullptr, std::uint32_t length = 0) {
        CheckStatusCallback(context, status, info, length);
        EXPECT_TRUE(worker.takeStatusChanged());
        return worker.statusLine();
    };

    EXPECT_EQ(line(status::ResolvingName, "h", 1), "Checking http://h/: Looking up h");
    EXPECT_EQ(line(status::ConnectedToServer, "127.0.0.1\0", 10),
              "Checking http://h/: Connected to 127.0.0.1");
    EXPECT_EQ(line(status::SendingRequest), "Checking http://h/: Sending request");
    EXPECT_EQ(line(status::ReceivingResponse), "Checking http://h/: Receiving " + indicator(1));
    EXPECT_EQ(line(status::ReceivingResponse), "Checking http://h/: Receiving " + indicator(2));
    const AsyncResult result{1, 12002};
    EXPECT_EQ(line(status::RequestComplete, &result, sizeof result),
              "Checking http://h/: Request complete (result 1, error 12002)");
    EXPECT_EQ(line(status::RequestComplete, &result, 4), "Checking http://h/: Request complete");
    EXPECT_EQ(line(status::Redirect, "http://x/", 9),
              "Checking http://h/: Redirected to http://x/");
    EXPECT_EQ(line(77), "Checking http://h/: Status 77");

    EXPECT_FALSE(worker.startedEvent().isSet());
    line(status::HandleCreated);
    EXPECT_TRUE(worker.startedEvent().isSet());

    // Once the language is gone the callback leaves everything alone.
    language.release();
    CheckStatusCallback(context, status::SendingRequest, nullptr, 0);
    EXPECT_FALSE(worker.takeStatusChanged());
    EXPECT_EQ(worker.statusLine(), "Checking http://h/: Request created");
}

TEST(StatusLine, TransferReportsEachStepInOrder) {
    HttpTestServer server;
    server.redirect("/from", "/to");
    server.on("/to", HttpTestServer::Reply{200, {}, "done"});
    CInternetSession session("test", 42);
    std::vector<std::uint32_t> seen;
    std::vector<std::uintptr_t> contexts;
    session.SetStatusCallback(
        [&](std::uintptr_t context, std::uint32_t code, const void*, std::uint32_t) {
            seen.push_back(code);
            contexts.push_back(context);
        });
    {
        iurlwstream in(session.OpenUrl(server.url("/from").c_str(), 1, 0x2));
        EXPECT_EQ(test::readAll(in), "done");
    }
    auto position = [&](std::uint32_t code) {
        return std::find(seen.begin(), seen.end(), code) - seen.begin();
    };
    const std::uint32_t order[] = {
        status::HandleCreated,      status::ResolvingName,     status::NameResolved,
        status::ConnectingToServer, status::ConnectedToServer, status::SendingRequest,
        status::RequestSent,        status::ReceivingResponse, status::Redirect,
        status::ResponseReceived,   status::RequestComplete,   status::HandleClosing};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
        SCOPED_TRACE(order[i]);
        EXPECT_LT(position(order[i]), position(order[i + 1]));
    }
    EXPECT_LT(position(status::HandleClosing), static_cast<long>(seen.size()));
    // A context of 1 stands for the session's default.
    EXPECT_TRUE(std::all_of(contexts.begin(), contexts.end(), [](auto c) { return c == 42; }));
}

TEST(StatusLine, DownloadSessionSignalsItsHandleAndKeepsOnlyTheIndicator) {
    HttpTestServer server;
    server.on("/f", HttpTestServer::Reply{200, {}, "file"});
    Options options;
    std::atomic<std::uint32_t> changed{0};
    ActiveNode node(options, &changed);
    EXPECT_FALSE(node.HandleCreated().isSet());
    iurlwstream in(node.OpenUrl(server.url("/f").c_str(), 1, 0x80000002));
    EXPECT_TRUE(node.HandleCreated().isSet());
    EXPECT_EQ(changed.exchange(0), 1u);
    char block[16];
    EXPECT_EQ(in.read(block, sizeof block), 4);
    // No texts are installed for this session: its line is empty or only
    // the indicator.
    const std::string line(node.StatusLine().view());
    if (!line.empty()) {
        const auto bars = line.find_first_not_of('|');
        ASSERT_NE(bars, std::string::npos);
        EXPECT_EQ(line.size(), bars + (10 - bars) * kDot.size());
    }
}

TEST(StatusLine, EveryLibcurlResultHasATextInTheLanguages) {
    int count = 0;
    const platform::SysError* known = platform::knownErrors(&count);
    for (int code = 1; code < CURL_LAST; ++code) {
        const platform::SysError error = sysErrorOfCurl(static_cast<CURLcode>(code), 0, 0);
        EXPECT_NE(std::find(known, known + count, error), known + count) << "CURLcode " << code;
    }
    EXPECT_EQ(sysErrorOfCurl(CURLE_RECV_ERROR, 0, ECONNRESET),
              platform::err::InternetConnectionReset);
    EXPECT_EQ(sysErrorOfCurl(CURLE_PEER_FAILED_VERIFICATION, 10, 0),
              platform::err::InternetSecCertDateInvalid);
    EXPECT_EQ(sysErrorOfCurl(CURLE_PEER_FAILED_VERIFICATION, 62, 0),
              platform::err::InternetSecCertCnInvalid);
    EXPECT_EQ(sysErrorOfCurl(CURLE_TOO_MANY_REDIRECTS), platform::err::HttpRedirectFailed);
}
