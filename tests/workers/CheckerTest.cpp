#include "CheckFixture.h"
#include "HttpTestServer.h"
#include "NginxServer.h"
#include "model/RefRoot.h"
#include "model/SearchRef.h"
#include "net/RetryAfter.h"
#include "platform/Message.h"
#include "workers/CheckThread.h"

#include <algorithm>
#include <atomic>
#include <mutex>

namespace qx::test {

namespace {

constexpr long kModified = 1700000000; // the pages' stored date

std::string httpdate(long unixSeconds) {
    return platform::formatHttpDate(CheckFixture::Date(unixSeconds));
}

HttpTestServer::Reply answer(int status,
                             std::vector<std::pair<std::string, std::string>> headers = {},
                             std::string body = "") {
    HttpTestServer::Reply reply;
    reply.status = status;
    reply.headers = std::move(headers);
    reply.body = std::move(body);
    return reply;
}

// A clock the test moves by hand; the wake-ups it was asked for are kept.
class HandClock : public CheckClock {
public:
    TimePoint Now() const override { return now; }
    void WakeAt(TimePoint when, platform::MessageTarget* target) override {
        wakeups.push_back(when);
        window = target;
    }
    TimePoint now{};
    std::vector<TimePoint> wakeups;
    platform::MessageTarget* window = nullptr;
};

} // namespace

class Checks : public CheckFixture {
protected:
    void SetUp() override {
        if (!language_)
            GTEST_SKIP() << "no language module in QX_PROGRAM_DIR";
    }
};

// Every row of the answer table against one scripted server, through the real
// scheduler: the states, the status texts, the size and what stays untouched.
TEST_F(Checks, AnswersMakeTheStatesOfTheTable) {
    HttpTestServer server;
    server.on("/304", answer(304));
    server.on("/same", answer(200, {{"Last-Modified", httpdate(kModified)}}, "12345"));
    server.on("/later", answer(200, {{"Last-Modified", httpdate(kModified + 1)}}));
    server.on("/nodate", answer(200, {{"Last-Modified", httpdate(kModified)}}));
    server.on("/404", answer(404));
    server.on("/500", answer(500));
    server.on("/ok", answer(200, {}, "body"));
    server.redirect("/moved", "/ok", 301);
    server.on("/charset", answer(200, {{"Content-Type", "text/html; charset=koi8-r"}}));
    const int closed = FreeLoopbackPort();
    const std::string refused = "http://127.0.0.1:" + std::to_string(closed) + "/";
    const std::string unresolved = "http://no-such-host.invalid/";
    for (const char* path : {"/304", "/same", "/later", "/404", "/500", "/moved", "/charset"})
        AddReference(server.url(path), kModified);
    AddReference(server.url("/nodate"));
    AddReference(refused, kModified);
    AddReference(unresolved, kModified);
    ObjectProp sized = PropsOf(server.url("/same"));
    sized.size = 7;
    sized.charset = 3;
    doc_.setobjectprops(*doc_.finddomainnode(server.url("/same"))->target(), sized);

    checker_->CheckSubtree(doc_.orgroot());
    ASSERT_TRUE(RunChecks());

    EXPECT_EQ(StateOf(server.url("/304")), Ref::CheckUnchanged);
    EXPECT_EQ(StateOf(server.url("/same")), Ref::CheckUnchanged);
    EXPECT_EQ(StateOf(server.url("/later")), Ref::CheckChanged);
    EXPECT_EQ(StateOf(server.url("/nodate")), Ref::CheckChanged);
    EXPECT_EQ(StateOf(server.url("/404")), Ref::CheckNotFound);
    EXPECT_EQ(StateOf(server.url("/500")), Ref::CheckError);
    EXPECT_EQ(StateOf(server.url("/moved")), Ref::CheckUnchanged)
        << PropsOf(server.url("/moved")).status.view();
    EXPECT_EQ(StateOf(refused), Ref::CheckError);
    EXPECT_EQ(StateOf(unresolved), Ref::CheckError);

    EXPECT_EQ(PropsOf(server.url("/404")).status.view(), language_->text(10524));
    EXPECT_EQ(PropsOf(server.url("/500")).status.view(), language_->text(10620));
    EXPECT_EQ(PropsOf(refused).status.view(), language_->errorText(12029));
    EXPECT_FALSE(PropsOf(unresolved).status.empty());
    EXPECT_TRUE(PropsOf(server.url("/later")).status.empty());
    // A size is filled in only when there was none; the check leaves the date
    // and the charset alone.
    EXPECT_EQ(PropsOf(server.url("/same")).size, 7u);
    EXPECT_EQ(PropsOf(server.url("/same")).charset, 3u);
    EXPECT_EQ(PropsOf(server.url("/moved")).size, 4u);
    EXPECT_EQ(PropsOf(server.url("/charset")).charset, 0u);
    EXPECT_EQ(PropsOf(server.url("/later")).modified.year, Date(kModified).year);
    EXPECT_EQ(PropsOf(server.url("/nodate")).modified.year, 0);

    // Dated pages ask with their date; an undated one asks without.
    for (const HttpTestServer::Request& request : server.requests()) {
        if (request.target == "/nodate") {
            EXPECT_FALSE(request.hasHeader("If-Modified-Since"));
        } else if (request.target != "/ok") {
            EXPECT_EQ(request.header("If-Modified-Since"), httpdate(kModified)) << request.target;
        }
    }
    // The marks are gone and the list emptied.
    EXPECT_FALSE(doc_.orgroot().firstchild() &&
                 static_cast<Ref*>(doc_.orgroot().firstchild())->hasflags(Ref::Checking));
    EXPECT_TRUE(loop_->Board().Checks().empty());
}

// Answers the table does not name: 204 is a page that answered; a redirect
// that names no address, and a status without a text of its own, are errors
// that say what came.
TEST_F(Checks, AnswersOutsideTheTableSayWhatCame) {
    HttpTestServer server;
    server.on("/204", answer(204));
    server.on("/301", answer(301));
    for (int status : {418, 520, 999})
        server.on("/" + std::to_string(status), answer(status));
    // A blank as the user typed it: requested encoded, kept as it was.
    server.on("/with blank", answer(200));
    for (const char* path : {"/204", "/301", "/418", "/520", "/999", "/with blank"})
        AddReference(server.url(path), kModified);
    checker_->CheckSubtree(doc_.orgroot());
    ASSERT_TRUE(RunChecks());

    EXPECT_EQ(StateOf(server.url("/with blank")), Ref::CheckUnchanged)
        << PropsOf(server.url("/with blank")).status.view();
    EXPECT_EQ(PropsOf(server.url("/with blank")).url.view(), server.url("/with blank"));

    EXPECT_EQ(StateOf(server.url("/204")), Ref::CheckUnchanged);
    EXPECT_TRUE(PropsOf(server.url("/204")).status.empty());
    EXPECT_EQ(StateOf(server.url("/301")), Ref::CheckError);
    EXPECT_EQ(PropsOf(server.url("/301")).status.view(),
              "The server moved the page without saying where (301).");
    for (int status : {418, 520, 999}) {
        const std::string url = server.url("/" + std::to_string(status));
        EXPECT_EQ(StateOf(url), Ref::CheckError);
        EXPECT_EQ(PropsOf(url).status.view(), "HTTP status " + std::to_string(status));
    }
}

// The marks while queued, on both trees and the ancestors; a second queueing in
// another letter case adds nothing; a failed page shows its state everywhere
// and the saved search counts it once.
TEST_F(Checks, MarksTwinsAndTheBrokenCounter) {
    HttpTestServer server;
    server.on("/gone", answer(404));
    SearchRef& search = doc_.createsearch(Str("q"), doc_.orgroot(), nullptr);
    Ref& folder = doc_.createfolder(Str("f"), doc_.orgroot(), nullptr);
    const std::string url = server.url("/gone");
    Ref& result = AddReference(url, kModified, &search);
    Ref& twin = AddReference(url, kModified, &folder);

    ASSERT_TRUE(checker_->CheckReference(result));
    std::string upper = url;
    std::transform(upper.begin(), upper.end(), upper.begin(), ::toupper);
    EXPECT_FALSE(loop_->Board().QueueCheck(Str(upper), {}));
    EXPECT_FALSE(checker_->CheckReference(twin));
    EXPECT_TRUE(result.hasflags(Ref::Checking));
    EXPECT_TRUE(twin.hasflags(Ref::Checking));
    EXPECT_TRUE(doc_.finddomainnode(url)->hasflags(Ref::Checking));
    EXPECT_TRUE(folder.flags2() & Ref::kChildChecking);
    EXPECT_TRUE(checker_->CanStopChecking());

    ASSERT_TRUE(RunChecks());
    EXPECT_FALSE(checker_->CanStopChecking());
    for (Ref* node : {&result, &twin}) {
        EXPECT_EQ(node->flags() & Ref::kCheckState, Ref::CheckNotFound);
        EXPECT_FALSE(node->hasflags(Ref::Checking));
    }
    EXPECT_FALSE(folder.flags2() & Ref::kChildChecking);
    EXPECT_EQ(search.searchprop().broken, 1u);

    // Done: queueing again runs it again, and a second 404 is not counted.
    ASSERT_TRUE(checker_->CheckReference(twin));
    ASSERT_TRUE(RunChecks());
    EXPECT_EQ(search.searchprop().broken, 1u);
    EXPECT_EQ(server.requests().size(), 2u);
}

// Hidden nodes are skipped with their subtrees; the domain tree gives only
// pages confirmed from the web; the select-failed command finds what failed.
TEST_F(Checks, SubtreesSkipHiddenAndUnconfirmed) {
    HttpTestServer server;
    server.on("/a", answer(500));
    server.on("/b", answer(200));
    server.on("/c", answer(200));
    Ref& folder = doc_.createfolder(Str("f"), doc_.orgroot(), nullptr);
    AddReference(server.url("/a"), 0, &folder);
    Ref& hidden = doc_.createfolder(Str("h"), folder, nullptr);
    AddReference(server.url("/b"), 0, &hidden);
    hidden.addflags(Ref::Hidden);
    AddReference(server.url("/c"));
    doc_.finddomainnode(server.url("/c"))->target()->addflags(Object::Confirmed);

    checker_->CheckSubtree(folder);
    EXPECT_EQ(loop_->Board().Checks().count(), 1u);
    checker_->CheckSubtree(doc_.domainroot());
    ASSERT_TRUE(RunChecks());
    EXPECT_EQ(server.requests().size(), 2u);
    EXPECT_EQ(StateOf(server.url("/b")), 0);
    EXPECT_EQ(StateOf(server.url("/c")), Ref::CheckUnchanged);

    const std::vector<Ref*> failed = Checker::FailedReferences(doc_.orgroot(), false);
    ASSERT_EQ(failed.size(), 1u);
    EXPECT_EQ(failed[0]->target(), doc_.finddomainnode(server.url("/a"))->target());
    EXPECT_TRUE(Checker::CanCheck(2, false));
    EXPECT_TRUE(Checker::CanCheck(1, true));
    EXPECT_FALSE(Checker::CanCheck(1, false));
}

// No more than "ChecksPerHost" checks talk to one host at a time; 0 lets
// "maxthreads" alone decide.
TEST_F(Checks, PerHostLimitBoundsParallelRequests) {
    HttpTestServer server;
    std::atomic<int> now{0}, most{0};
    server.on("/slow", [&](const HttpTestServer::Request&) {
        const int n = ++now;
        for (int seen = most.load(); n > seen && !most.compare_exchange_weak(seen, n);) {
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        --now;
        return answer(200);
    });
    for (int i = 0; i < 8; ++i)
        AddReference(server.url("/slow?") + std::to_string(i));
    options_.checksPerHost = 2;
    checker_->CheckSubtree(doc_.orgroot());
    ASSERT_TRUE(RunChecks());
    EXPECT_EQ(most.load(), 2);
    EXPECT_EQ(server.requests().size(), 8u);

    most = 0;
    options_.checksPerHost = 0;
    checker_->CheckSubtree(doc_.orgroot());
    ASSERT_TRUE(RunChecks());
    EXPECT_GT(most.load(), 2);
}

// A busy server's Retry-After puts the check back, still pending everywhere,
// until the clock reaches its time and the wake-up comes; at most twice.
TEST_F(Checks, RetryAfterWaitsForTheClockAtMostTwice) {
    HttpTestServer server;
    std::atomic<int> busy{0};
    server.on("/busy", [&](const HttpTestServer::Request&) {
        return ++busy <= 1 ? answer(503, {{"Retry-After", "30"}}) : answer(200);
    });
    server.on("/always", answer(429, {{"Retry-After", "5"}}));
    server.on("/long", answer(503, {{"Retry-After", "121"}}));
    HandClock clock;
    loop_->Board().SetClock(&clock);
    const std::string url = server.url("/busy");
    AddReference(url);
    AddReference(server.url("/long"));
    checker_->CheckSubtree(doc_.orgroot());

    EXPECT_FALSE(RunChecks(1500));
    EXPECT_EQ(StateOf(server.url("/long")), Ref::CheckError);
    EXPECT_EQ(busy.load(), 1);
    EXPECT_TRUE(doc_.finddomainnode(url)->hasflags(Ref::Checking));
    EXPECT_FALSE(loop_->Board().QueueCheck(Str(url), {}));
    EXPECT_TRUE(checker_->CanStopChecking());
    ASSERT_FALSE(clock.wakeups.empty());
    EXPECT_EQ(clock.wakeups.back(), CheckClock::TimePoint{} + std::chrono::seconds(30));

    clock.now += std::chrono::seconds(30);
    clock.window->post(platform::kNullMessage, 0, 0);
    ASSERT_TRUE(RunChecks());
    EXPECT_EQ(busy.load(), 2);
    EXPECT_EQ(StateOf(url), Ref::CheckUnchanged);

    // Always busy: two waits, then the answer stands.
    const std::string always = server.url("/always");
    AddReference(always);
    checker_->CheckSubtree(doc_.orgroot());
    for (int i = 0; i < 2; ++i) {
        EXPECT_FALSE(RunChecks(1000));
        clock.now += std::chrono::seconds(5);
        clock.window->post(platform::kNullMessage, 0, 0);
    }
    ASSERT_TRUE(RunChecks());
    EXPECT_EQ(StateOf(always), Ref::CheckError);
    EXPECT_EQ(PropsOf(always).status.view(), language_->text(10549));
    loop_->Board().SetClock(nullptr);
}

// The steady clock's one-shot wake-up ends an idle loop by itself.
TEST_F(Checks, RealWakeUpRunsTheIdlePass) {
    HttpTestServer server;
    std::atomic<int> calls{0};
    server.on("/later", [&](const HttpTestServer::Request&) {
        return ++calls == 1 ? answer(429, {{"Retry-After", "1"}}) : answer(304);
    });
    AddReference(server.url("/later"), kModified);
    checker_->CheckSubtree(doc_.orgroot());
    ASSERT_TRUE(RunChecks(10000));
    EXPECT_EQ(calls.load(), 2);
    EXPECT_EQ(StateOf(server.url("/later")), Ref::CheckUnchanged);
}

TEST(RetryAfter, SecondsAndDates) {
    std::int64_t seconds = -1;
    EXPECT_TRUE(RetryAfterSeconds(" 120 ", 0, seconds));
    EXPECT_EQ(seconds, 120);
    EXPECT_TRUE(RetryAfterSeconds("Wed, 21 Oct 2015 07:28:10 GMT", 1445412480, seconds));
    EXPECT_EQ(seconds, 10);
    EXPECT_TRUE(RetryAfterSeconds("Wed, 21 Oct 2015 07:28:00 GMT", 1445412500, seconds));
    EXPECT_EQ(seconds, 0);
    for (const char* bad : {"", "  ", "-5", "12a", "99999999999", "soon", "1.5"})
        EXPECT_FALSE(RetryAfterSeconds(bad, 0, seconds)) << bad;
}

// A check starts without waiting for its transfer, so the thread window may
// add its row before the transfer reports anything: the row must already say
// what is being checked.
TEST_F(Checks, AWorkerNamesItsAddressBeforeTheTransferReports) {
    CheckThread check(nullptr, Str("http://example.test/a.html"), nullptr, {}, options_,
                      language_.get());
    EXPECT_EQ(check.statusLine(), "Checking http://example.test/a.html");
}

} // namespace qx::test
