#include "Eventually.h"
#include "FakeJobs.h"

#include "FailingStreamBuf.h"
#include "platform/MessageLoop.h"
#include "platform/SystemError.h"
#include "stream/iwstream.h"
#include "stream/memwstreambuf.h"
#include "stream/owstream.h"
#include "workers/ThreadBase.h"
#include "workers/ThreadMessages.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>

namespace qx::test {
namespace {

struct Posted {
    platform::MessageId msg;
    platform::WParam wparam;
    platform::LParam lparam;
};

// Collects what workers post, from any thread.
class Collector {
public:
    Collector() {
        loop_.setHandler([this](platform::MessageId msg, platform::WParam w, platform::LParam l) {
            posted.push_back({msg, w, l});
        });
    }
    platform::MessageTarget* target() { return &loop_; }
    void drain() { loop_.processPending(); }

    std::vector<Posted> posted;

private:
    platform::MessageLoop loop_;
};

TEST(WorkersThread, DefaultRunPostsItsEndAndTheExitCodeFollows) {
    Collector messages;
    auto* worker = new Thread(messages.target());
    ASSERT_TRUE(worker->Start());
    EXPECT_EQ(worker->WaitForExit(), 0);
    messages.drain();
    ASSERT_EQ(messages.posted.size(), 1u);
    EXPECT_EQ(messages.posted[0].msg, threadMessages().end);
    EXPECT_EQ(messages.posted[0].wparam, 0u);
    EXPECT_EQ(messages.posted[0].lparam, worker->AsParam());
    EXPECT_EQ(worker->Release(), 0);
}

TEST(WorkersThread, MessagesAreRegisteredByName) {
    const ThreadMessages& m = threadMessages();
    EXPECT_EQ(m.end, platform::registerMessage("_WM_THREADEND"));
    EXPECT_EQ(m.page, platform::registerMessage("_WM_THREADPAGE"));
    EXPECT_EQ(m.bytesRead, platform::registerMessage("_WM_BYTESREAD"));
    EXPECT_NE(m.end, m.page);
}

TEST(WorkersThread, AbandonedWorkerPostsNothingAndDeletesItselfWhenDone) {
    Collector messages;
    WorkerControl control;
    control.obeyStop = false;
    auto* worker = new GatedWorker<CheckWorker>(control, 1, messages.target(), Str("u"), nullptr);
    ASSERT_TRUE(worker->Start(0));
    worker->Stop();
    EXPECT_FALSE(worker->WaitForEnd(50));
    worker->Abandon();
    EXPECT_EQ(control.alive, 1);
    control.gate.set();
    EXPECT_TRUE(eventually([&] { return control.alive == 0; }));
    EXPECT_EQ(control.exited, 1);
    messages.drain();
    EXPECT_TRUE(messages.posted.empty());
}

TEST(WorkersThread, StartWaitEndsAtTheFirstHandleNotAfterFiveSeconds) {
    WorkerControl control;
    auto* worker = new GatedWorker<CheckWorker>(control, 1, nullptr, Str("u"), nullptr);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(worker->Start(-1));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_FALSE(worker->WaitForEnd(0));
    worker->Stop();
    EXPECT_EQ(worker->WaitForExit(), 0);
    worker->Release();
}

class ReportingWorker : public ThreadBase {
public:
    ReportingWorker(platform::MessageTarget* window, std::uint32_t interval)
        : ThreadBase(window, interval) {}
};

TEST(WorkersThread, ReportsAreThrottledAndAZeroFlushes) {
    Collector messages;
    ReportingWorker hourly(messages.target(), 3600 * 1000);
    hourly.Report(10); // the first report is due at once
    hourly.Report(5);
    hourly.Report(7);
    hourly.Report(0);
    hourly.Report(0); // nothing counted: nothing posted
    ReportingWorker silent(messages.target(), 0);
    silent.Report(100);
    silent.Report(0);
    messages.drain();
    ASSERT_EQ(messages.posted.size(), 2u);
    EXPECT_EQ(messages.posted[0].msg, threadMessages().bytesRead);
    EXPECT_EQ(messages.posted[0].wparam, 10u);
    EXPECT_EQ(messages.posted[1].wparam, 12u);
}

// A source that hands out its bytes, then fails with a network error.
class BrokenSource : public wstreambuf {
public:
    explicit BrokenSource(int good) : good_(good) {}
    int read(void* dst, int n) override {
        if (good_ <= 0) {
            platform::setLastError(platform::err::InternetConnectionReset);
            return -1;
        }
        const int now = std::min(n, good_);
        std::memset(dst, 'x', static_cast<std::size_t>(now));
        good_ -= now;
        return now;
    }
    int seek(int, int) override { return -1; }

private:
    int good_;
};

TEST(WorkersThread, CopyStreamOutcomes) {
    ReportingWorker worker(nullptr, 0);
    const std::string body(3000, 'b');
    {
        mwstreambuf in(64);
        in.write(body.data(), static_cast<int>(body.size()));
        in.seek(0, 0);
        iwstream source(&in);
        FailingStreamBuf out(1 << 20);
        owstream target(&out);
        const auto r = worker.CopyStream(source, target);
        EXPECT_EQ(r.outcome, ThreadBase::CopyComplete);
        EXPECT_EQ(r.bytes, 3000u);
        EXPECT_EQ(r.error, 0u);
    }
    {
        BrokenSource in(1500);
        iwstream source(&in);
        FailingStreamBuf out(1 << 20);
        owstream target(&out);
        const auto r = worker.CopyStream(source, target);
        EXPECT_EQ(r.outcome, ThreadBase::CopyReadError);
        EXPECT_EQ(r.error, platform::err::InternetConnectionReset);
        EXPECT_EQ(r.bytes, 1500u);
    }
    {
        BrokenSource in(5000);
        iwstream source(&in);
        FailingStreamBuf out(1500); // room for one block and a half
        owstream target(&out);
        const auto r = worker.CopyStream(source, target);
        EXPECT_EQ(r.outcome, ThreadBase::CopyWriteError);
        EXPECT_EQ(r.error, platform::err::DiskFull);
        EXPECT_EQ(r.bytes, 1024u);
    }
    {
        worker.Stop();
        BrokenSource in(5000);
        iwstream source(&in);
        FailingStreamBuf out(1 << 20);
        owstream target(&out);
        const auto r = worker.CopyStream(source, target);
        EXPECT_EQ(r.outcome, ThreadBase::CopyStopped);
        EXPECT_EQ(r.error, platform::err::Cancelled);
        EXPECT_EQ(r.bytes, 0u);
    }
}

} // namespace
} // namespace qx::test
