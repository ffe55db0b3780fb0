#include "workers/GetFileThread.h"
#include "Eventually.h"
#include "HttpTestServer.h"
#include "TempDir.h"
#include "platform/DateTime.h"
#include "platform/MessageLoop.h"
#include "platform/SystemError.h"
#include "settings/Options.h"
#include "workers/ThreadMessages.h"

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

namespace qx::test {
namespace {

using Clock = std::chrono::steady_clock;

// 2020-01-01 00:00:00 UTC.
constexpr platform::FileTime kReferenceTime = 132223104000000000ULL;
constexpr platform::FileTime kSecond = 10'000'000ULL;

std::string httpDate(platform::FileTime time) {
    platform::SystemTime when;
    platform::fileTimeToSystemTime(time, when);
    return platform::formatHttpDate(when);
}

HttpTestServer::Reply page(const std::string& body, platform::FileTime modified) {
    HttpTestServer::Reply reply;
    reply.body = body;
    reply.contentType = "text/html; charset=KOI8-R";
    reply.headers.emplace_back("Last-Modified", httpDate(modified));
    return reply;
}

class WorkersGetFile : public ::testing::Test {
protected:
    // One server for the whole suite: stopping one waits for the connections
    // the session's shared cache keeps open.
    static void SetUpTestSuite() { server_ = new HttpTestServer; }
    static void TearDownTestSuite() {
        delete server_;
        server_ = nullptr;
    }

    // A reference file of the given size, dated kReferenceTime.
    std::string reference(std::size_t size) {
        const std::string path = dir_.write("qsearch.htm", std::string(size, 'r'));
        platform::setFileModificationTime(path.c_str(), kReferenceTime);
        return path;
    }

    // Runs a download to its end message: the result code.
    int download(const std::string& url, const std::string& target, const std::string& ref,
                 bool stopWhenWriting = false, std::uint64_t sizeLimit = 0) {
        if (worker_)
            worker_->Release();
        worker_ = new GetFileThread(&loop_, options_, Str(url), Str(target), Str(ref), sizeLimit);
        bool ended = false;
        loop_.setHandler(
            [&](platform::MessageId msg, platform::WParam wparam, platform::LParam lparam) {
                EXPECT_EQ(msg, threadMessages().end);
                EXPECT_EQ(wparam, 1u);
                EXPECT_EQ(lparam, worker_->AsParam());
                ended = true;
            });
        EXPECT_TRUE(worker_->Start());
        if (stopWhenWriting) {
            // By its size: reading a file that grows faster than it is read
            // would never reach its end.
            EXPECT_TRUE(eventually([&] {
                std::error_code error;
                const auto size = std::filesystem::file_size(target, error);
                return !error && size >= 10'000;
            }));
            stopped_ = Clock::now();
            worker_->Stop();
        }
        EXPECT_TRUE(eventually(
            [&] {
                loop_.runFor(10);
                return ended;
            },
            std::chrono::seconds(20)));
        return worker_->WaitForExit();
    }

    void TearDown() override {
        if (worker_)
            worker_->Release();
    }

    static HttpTestServer* server_;
    TempDir dir_;
    Options options_;
    platform::MessageLoop loop_;
    GetFileThread* worker_ = nullptr;
    Clock::time_point stopped_;
};

HttpTestServer* WorkersGetFile::server_ = nullptr;

TEST_F(WorkersGetFile, NotModifiedByTheServersAnswer) {
    server_->on("/m", [](const HttpTestServer::Request& request) {
        HttpTestServer::Reply reply = page("new", kReferenceTime);
        if (request.hasHeader("If-Modified-Since"))
            reply.status = 304;
        return reply;
    });
    const std::string target = dir_.file("got");
    EXPECT_EQ(download(server_->url("/m"), target, reference(11)), 0);
    EXPECT_EQ(worker_->HttpStatus(), 304);
    EXPECT_EQ(server_->requests().back().header("If-Modified-Since"), httpDate(kReferenceTime));
    EXPECT_EQ(TempDir::read(target), "");
}

TEST_F(WorkersGetFile, NotModifiedWithinTwoSecondsOfTheLocalCopy) {
    server_->on("/two", page("new", kReferenceTime + 2 * kSecond));
    server_->on("/three", page("newer", kReferenceTime + 3 * kSecond));
    const std::string ref = reference(100);
    const std::string target = dir_.file("got");

    EXPECT_EQ(download(server_->url("/two"), target, ref), 0);
    EXPECT_EQ(worker_->HttpStatus(), 304);
    EXPECT_EQ(TempDir::read(target), "");

    EXPECT_EQ(download(server_->url("/three"), target, ref), 0);
    EXPECT_EQ(worker_->HttpStatus(), 200);
    EXPECT_EQ(TempDir::read(target), "newer");
    EXPECT_EQ(worker_->MediaType().view(), "text/html");
    EXPECT_EQ(worker_->Charset(), 3u);
    platform::FileTime written = 0;
    ASSERT_TRUE(platform::fileModificationTime(target.c_str(), &written));
    EXPECT_EQ(written, kReferenceTime + 3 * kSecond);
    platform::FileTime kept = 0;
    ASSERT_TRUE(platform::fileModificationTime(ref.c_str(), &kept));
    EXPECT_EQ(kept, kReferenceTime);
}

TEST_F(WorkersGetFile, TinyOrMissingLocalCopyAlwaysDownloadsAndTheFinalUrlIsKept) {
    server_->on("/old", page("body", kReferenceTime - 100 * kSecond));
    server_->redirect("/moved", "/old");
    const std::string target = dir_.file("got");
    EXPECT_EQ(download(server_->url("/moved"), target, reference(10)), 0);
    EXPECT_EQ(TempDir::read(target), "body");
    EXPECT_FALSE(server_->requests().back().hasHeader("If-Modified-Since"));
    EXPECT_EQ(worker_->Url().view(), server_->url("/old"));
    // A hop to an address that is not https is noted (the module update
    // refuses what came so).
    EXPECT_TRUE(worker_->LeftHttps());

    EXPECT_EQ(download(server_->url("/old"), dir_.file("got2"), dir_.file("missing")), 0);
    EXPECT_EQ(TempDir::read(dir_.file("got2")), "body");
    EXPECT_FALSE(worker_->LeftHttps()); // no redirect
}

TEST_F(WorkersGetFile, AnAnswerOverTheSizeLimitEndsTooLargeAndLeavesNoFile) {
    HttpTestServer::Reply big;
    big.generatedBytes = 100'000;
    server_->on("/big", big);
    HttpTestServer::Reply endless;
    endless.endless = true;
    server_->on("/endless", endless);
    const std::string target = dir_.file("got");

    EXPECT_EQ(download(server_->url("/big"), target, "", false, 100'000), 0);
    EXPECT_EQ(TempDir::read(target).size(), 100'000u);
    EXPECT_EQ(download(server_->url("/big"), target, "", false, 99'999), GetFileThread::kTooLarge);
    EXPECT_FALSE(std::filesystem::exists(target));
    EXPECT_EQ(download(server_->url("/endless"), target, "", false, 50'000),
              GetFileThread::kTooLarge);
    EXPECT_FALSE(std::filesystem::exists(target));
}

TEST_F(WorkersGetFile, HttpErrorsAndEmptyBodies) {
    HttpTestServer::Reply missing;
    missing.status = 404;
    missing.body = "not here";
    server_->on("/missing", missing);
    server_->on("/empty", HttpTestServer::Reply{});
    const std::string target = dir_.file("got");
    EXPECT_EQ(download(server_->url("/missing"), target, ""), -1);
    EXPECT_EQ(worker_->HttpStatus(), 404);
    EXPECT_EQ(TempDir::read(target), "");

    EXPECT_EQ(download(server_->url("/empty"), target, ""), GetFileThread::kNothingReceived);
}

TEST_F(WorkersGetFile, StoppedMidBody) {
    HttpTestServer::Reply endless;
    endless.endless = true;
    server_->on("/endless", endless);
    const int result = download(server_->url("/endless"), dir_.file("got"), "", true);
    EXPECT_EQ(result, static_cast<int>(platform::err::Cancelled));
    EXPECT_LT(Clock::now() - stopped_, std::chrono::seconds(2));
}

TEST_F(WorkersGetFile, TargetThatCannotBeWrittenGivesItsSystemCode) {
    server_->on("/f", page("body", kReferenceTime));
    EXPECT_EQ(download(server_->url("/f"), dir_.file("no/such/folder/got"), ""),
              static_cast<int>(platform::fromErrno(ENOENT)));
    EXPECT_EQ(download(server_->url("/f"), "/dev/full", ""),
              static_cast<int>(platform::err::DiskFull));
}

} // namespace
} // namespace qx::test
