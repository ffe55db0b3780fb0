#include "BoardFixture.h"

#include "model/Object.h"
#include "model/SearchRef.h"
#include "workers/CheckList.h"
#include "workers/ThreadMessages.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace qx::test {
namespace {

using Pass = JobBoard::Pass;
using Clock = std::chrono::steady_clock;

platform::SystemTime dated(std::uint16_t year) {
    platform::SystemTime time;
    time.year = year;
    time.month = 1;
    time.day = 1;
    return time;
}

class WorkersBoard : public BoardFixture {
protected:
    void wait(SearchRef& search, std::uint16_t server, bool check = false) {
        FindInfo request;
        request.check = check;
        search.addflags(Ref::Running);
        waits_.Append(std::make_unique<WaitNode>(search, server, request));
    }
    void queue(const char* url) { ASSERT_TRUE(board_->QueueCheck(url, dated(2020))); }
    SearchWorker* searchWorker() const {
        for (ThreadNode* node = board_->Threads().First(); node; node = node->Next()) {
            if (auto* worker = dynamic_cast<SearchWorker*>(&node->Worker()))
                return worker;
        }
        return nullptr;
    }

    SearchRef s1_{Str("s1")};
    SearchRef s2_{Str("s2")};
};

TEST_F(WorkersBoard, MaxThreadsZeroStartsNothing) {
    options_.maxThreads = 0;
    wait(s1_, 1);
    queue("http://a/");
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(board_->Schedule(), Pass::Nothing);
    EXPECT_TRUE(searches_.calls.empty());
    EXPECT_TRUE(checks_.calls.empty());
    EXPECT_EQ(waits_.count(), 1u);
    EXPECT_EQ(board_->Checks().First()->GetState(), CheckNode::Queued);
}

TEST_F(WorkersBoard, SearchesFirstOneStartPerPassUpToMaxThreads) {
    queue("http://a/");
    queue("http://b/");
    wait(s1_, 1);
    wait(s1_, 4);
    EXPECT_EQ(board_->Schedule(), Pass::SearchStarted);
    EXPECT_EQ(board_->Schedule(), Pass::SearchStarted);
    EXPECT_EQ(board_->Schedule(), Pass::CheckStarted);
    EXPECT_EQ(board_->Schedule(), Pass::CheckStarted);
    EXPECT_EQ(board_->Schedule(), Pass::Nothing); // nothing is left to start
    EXPECT_EQ(searches_.calls, (std::vector<std::string>{"make s1 1", "make s1 4"}));
    EXPECT_EQ(checks_.calls, (std::vector<std::string>{"make http://a/", "make http://b/"}));
    EXPECT_TRUE(waits_.empty());

    control_.result = 7;
    ASSERT_TRUE(finishAll());
    EXPECT_EQ(control_.alive, 0);
    EXPECT_EQ(searches_.calls.size(), 4u);
    EXPECT_EQ(searches_.calls[2].substr(0, 7), "finish ");
    EXPECT_EQ(checks_.calls.size(), 4u);
    EXPECT_EQ(checks_.calls[3].substr(checks_.calls[3].size() - 2), " 7");
    // Every check is done: the next pass empties the list.
    EXPECT_EQ(board_->Schedule(), Pass::Nothing);
    EXPECT_TRUE(board_->Checks().empty());
}

// Checks run up to "CheckThreads" beside the searches, which "maxthreads"
// limits and which still start first.
TEST_F(WorkersBoard, ChecksHaveALimitOfTheirOwnBesideTheSearches) {
    options_.maxThreads = 1;
    options_.checkThreads = 2;
    options_.checksPerHost = 0;
    queue("http://a/");
    queue("http://b/");
    queue("http://c/");
    wait(s1_, 1);
    wait(s1_, 2);
    EXPECT_EQ(board_->Schedule(), Pass::SearchStarted);
    EXPECT_EQ(board_->Schedule(), Pass::CheckStarted);
    EXPECT_EQ(board_->Schedule(), Pass::CheckStarted);
    EXPECT_EQ(board_->Schedule(), Pass::Nothing);
    EXPECT_EQ(searches_.calls, (std::vector<std::string>{"make s1 1"}));
    EXPECT_EQ(checks_.calls, (std::vector<std::string>{"make http://a/", "make http://b/"}));
    EXPECT_EQ(board_->Threads().count(), 3u);

    ASSERT_TRUE(finishAll());
    EXPECT_EQ(board_->Schedule(), Pass::SearchStarted);
    EXPECT_EQ(board_->Schedule(), Pass::CheckStarted);
    EXPECT_EQ(checks_.calls.back(), "make http://c/");
}

// A host at its limit holds back only its own checks; the others start in the
// order they were queued, and the host's next check starts when one of its
// own ends.
TEST_F(WorkersBoard, PerHostLimitHoldsBackOnlyThatHost) {
    options_.checkThreads = 10;
    options_.checksPerHost = 1;
    for (const char* url : {"http://a/1", "http://a/2", "http://b/1", "http://A/3", "http://c/1"})
        queue(url);
    EXPECT_EQ(board_->Schedule(), Pass::CheckStarted);
    EXPECT_EQ(board_->Schedule(), Pass::CheckStarted);
    EXPECT_EQ(board_->Schedule(), Pass::CheckStarted);
    EXPECT_EQ(board_->Schedule(), Pass::Nothing);
    EXPECT_EQ(checks_.calls,
              (std::vector<std::string>{"make http://a/1", "make http://b/1", "make http://c/1"}));

    ASSERT_TRUE(finishAll());
    control_.gate.reset();
    EXPECT_EQ(board_->Schedule(), Pass::CheckStarted);
    EXPECT_EQ(board_->Schedule(), Pass::Nothing);
    EXPECT_EQ(checks_.calls.back(), "make http://a/2");
    ASSERT_TRUE(finishAll());
    EXPECT_EQ(board_->Schedule(), Pass::CheckStarted);
    EXPECT_EQ(checks_.calls.back(), "make http://A/3");
}

TEST_F(WorkersBoard, FailedStartsKeepTheSearchWaitingAndTheCheckRunningAtTheTail) {
    searches_.refuse = true;
    checks_.refuse = true;
    wait(s1_, 2);
    queue("http://a/");
    queue("http://b/");
    // The search cannot start, so the pass goes on to the checks.
    EXPECT_EQ(board_->Schedule(), Pass::CheckStarted);
    EXPECT_EQ(waits_.count(), 1u);
    EXPECT_TRUE(board_->Threads().empty());
    const CheckNode* first = board_->Checks().First();
    EXPECT_EQ(first->Url().view(), "http://b/");
    EXPECT_EQ(first->Next()->GetState(), CheckNode::Running);

    searches_.refuse = false;
    checks_.refuse = false;
    EXPECT_EQ(board_->Schedule(), Pass::SearchStarted);
    EXPECT_EQ(board_->Schedule(), Pass::CheckStarted);
    ASSERT_TRUE(finishAll());
    // The check that never started stays running and keeps the list.
    EXPECT_EQ(board_->Schedule(), Pass::Nothing);
    EXPECT_EQ(board_->Checks().count(), 2u);
    EXPECT_TRUE(board_->Checks().HasPending());
}

TEST_F(WorkersBoard, CheckQueuedOnceWhileNotDoneAndAgainInPlaceWhenDone) {
    EXPECT_TRUE(board_->QueueCheck("http://Host/Page", dated(2001)));
    EXPECT_TRUE(board_->QueueCheck("http://other/", dated(2001)));
    EXPECT_FALSE(board_->QueueCheck("HTTP://HOST/PAGE", dated(2002)));
    CheckNode* node = board_->Checks().First();
    node->SetState(CheckNode::Running);
    EXPECT_FALSE(board_->QueueCheck("http://host/page", dated(2002)));
    node->SetState(CheckNode::Done);
    EXPECT_TRUE(board_->QueueCheck("http://host/page", dated(2002)));
    EXPECT_EQ(board_->Checks().count(), 2u);
    EXPECT_EQ(board_->Checks().First(), node);
    EXPECT_EQ(node->GetState(), CheckNode::Queued);
    EXPECT_EQ(node->Date().year, 2001);
}

// The list finds addresses through an index: moving a node, deleting one and
// emptying the list must keep the two in step.
TEST(CheckListIndex, FindFollowsMovesDeletionsAndClearing) {
    CheckList list;
    for (int i = 0; i < 50; ++i)
        ASSERT_TRUE(list.QueueCheck(Str("http://h/" + std::to_string(i)), dated(2001)));
    CheckNode* moved = list.Find("HTTP://H/7");
    ASSERT_NE(moved, nullptr);
    list.append(moved); // as a started check is moved to the end
    EXPECT_EQ(list.Find("http://h/7"), moved);
    EXPECT_EQ(list.count(), 50u);
    delete list.Find("http://h/8");
    EXPECT_EQ(list.Find("http://h/8"), nullptr);
    EXPECT_TRUE(list.QueueCheck(Str("http://h/8"), dated(2002)));
    EXPECT_EQ(list.Find("http://h/8")->Date().year, 2002);
    EXPECT_FALSE(list.QueueCheck(Str("http://H/7"), dated(2002)));
    list.clear();
    EXPECT_EQ(list.Find("http://h/7"), nullptr);
    EXPECT_TRUE(list.QueueCheck(Str("http://h/7"), dated(2003)));
    EXPECT_EQ(list.count(), 1u);
}

TEST_F(WorkersBoard, WorkerEndingBeforeAnyHandleDoesNotHoldTheStartWait) {
    control_.gate.set();
    queue("http://a/");
    const auto start = Clock::now();
    EXPECT_EQ(board_->Schedule(), Pass::CheckStarted);
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(WThread::kStartWaitMs / 2));
    ASSERT_TRUE(finishAll());
}

// A search whose module reports nothing starts without holding the window;
// stopping it still stops and detaches exactly that worker.
TEST_F(WorkersBoard, SearchStartsWithoutWaitingForItsFirstHandle) {
    control_.reportsStart = false;
    wait(s1_, 1);
    wait(s2_, 2);
    const auto start = Clock::now();
    EXPECT_EQ(board_->Schedule(), Pass::SearchStarted);
    EXPECT_EQ(board_->Schedule(), Pass::SearchStarted);
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(WThread::kStartWaitMs / 5));
    board_->StopSearch(s1_);
    EXPECT_FALSE(s1_.hasflags(Ref::Running));
    EXPECT_TRUE(s2_.hasflags(Ref::Running));
    EXPECT_TRUE(pumpUntil([this] { return board_->Threads().count() == 1; }));
    EXPECT_EQ(std::count(searches_.calls.begin(), searches_.calls.end(), "detach 1"), 1);
    EXPECT_EQ(std::count(searches_.calls.begin(), searches_.calls.end(), "detach 2"), 0);
    ASSERT_TRUE(finishAll());
}

TEST_F(WorkersBoard, StopCheckingEmptiesTheListAndTurnsOffSearchChecks) {
    options_.maxThreads = 2;
    queue("http://a/");
    queue("http://b/");
    EXPECT_EQ(board_->Schedule(), Pass::CheckStarted);
    wait(s1_, 1, true);
    wait(s1_, 2, true);
    EXPECT_EQ(board_->Schedule(), Pass::SearchStarted);
    ASSERT_NE(searchWorker(), nullptr);
    EXPECT_TRUE(searchWorker()->Request().check);

    board_->StopChecking();
    EXPECT_TRUE(board_->Checks().empty());
    EXPECT_FALSE(searchWorker()->Request().check);
    EXPECT_FALSE(waits_.First()->Request().check);

    ASSERT_TRUE(pumpUntil([this] { return board_->Threads().count() == 1; }));
    EXPECT_EQ(checks_.calls.back(), "apply http://a/ 0 stopped");
    control_.gate.set();
    ASSERT_TRUE(pumpUntil([this] {
        board_->Schedule();
        return board_->Threads().empty() && waits_.empty();
    }));
    EXPECT_EQ(checks_.calls.size(), 2u); // "b" never started
}

TEST_F(WorkersBoard, StopAllDetachesSearchesClearsRunningMarksAndKeepsChecksRunning) {
    options_.maxThreads = 2;
    wait(s1_, 1);
    queue("http://a/");
    EXPECT_EQ(board_->Schedule(), Pass::SearchStarted);
    EXPECT_EQ(board_->Schedule(), Pass::CheckStarted);
    wait(s2_, 4); // waits only: no worker will detach it
    EXPECT_TRUE(board_->Busy());
    EXPECT_EQ(rows_.rows.size(), 2u);

    board_->StopAll();
    EXPECT_TRUE(waits_.empty());
    EXPECT_TRUE(rows_.rows.empty());
    EXPECT_FALSE(s1_.hasflags(Ref::Running));
    EXPECT_FALSE(s2_.hasflags(Ref::Running));
    EXPECT_EQ(searchWorker()->Search(), nullptr);
    EXPECT_EQ(searches_.calls.back(), "detach 1");
    EXPECT_EQ(board_->Checks().First()->GetState(), CheckNode::Running);

    ASSERT_TRUE(pumpUntil([this] { return board_->Threads().empty(); }));
    EXPECT_EQ(checks_.calls.back(), "apply http://a/ 0 stopped");
    EXPECT_EQ(searches_.calls.back(), "finish 1 0");
    EXPECT_FALSE(board_->Busy());
}

TEST_F(WorkersBoard, StopSearchTouchesOnlyThatSearch) {
    options_.maxThreads = 1;
    wait(s1_, 1);
    wait(s2_, 1);
    wait(s1_, 2);
    EXPECT_EQ(board_->Schedule(), Pass::SearchStarted);
    EXPECT_TRUE(board_->HasSearchJobs(s1_));
    board_->StopSearch(s1_);
    EXPECT_FALSE(board_->HasSearchJobs(s1_));
    EXPECT_FALSE(s1_.hasflags(Ref::Running));
    EXPECT_TRUE(s2_.hasflags(Ref::Running));
    ASSERT_EQ(waits_.count(), 1u);
    EXPECT_EQ(&waits_.First()->Search(), &s2_);
}

TEST_F(WorkersBoard, DeletingNodesStopsTheirSearchesAndCancelsTheirChecks) {
    Object page;
    ObjectProp props;
    props.url = "http://a/";
    page.setprops(props);
    Ref node;
    node.settarget(&page);
    page.addref();

    options_.maxThreads = 2;
    wait(s1_, 1);
    queue("http://A/");
    queue("http://b/");
    EXPECT_EQ(board_->Schedule(), Pass::SearchStarted);
    EXPECT_EQ(board_->Schedule(), Pass::CheckStarted);

    board_->dropjobs(s1_);
    EXPECT_EQ(searches_.calls.back(), "detach 1");
    board_->dropjobs(node);
    const CheckNode* a = board_->Checks().Find("http://a/");
    EXPECT_EQ(a->GetState(), CheckNode::Done);
    EXPECT_EQ(board_->Checks().Find("http://b/")->GetState(), CheckNode::Queued);
    ASSERT_TRUE(pumpUntil([this] { return board_->Threads().empty(); }));
    EXPECT_EQ(checks_.calls.back(), "apply http://A/ 0 stopped");
}

TEST_F(WorkersBoard, ThreadWindowRowsFollowTheWorkers) {
    queue("http://a/");
    rows_.shown = false;
    EXPECT_EQ(board_->Schedule(), Pass::CheckStarted);
    EXPECT_TRUE(rows_.calls.empty());
    rows_.shown = true;
    board_->RowsShown();
    ASSERT_EQ(rows_.calls, (std::vector<std::string>{"add "}));

    WThread& worker = board_->Threads().First()->Worker();
    std::thread([&worker] { worker.setStatusLine("Connecting"); }).join();
    board_->RefreshRows();
    board_->RefreshRows(); // the flag was taken: nothing new
    EXPECT_EQ(rows_.calls.back(), "update Connecting");
    EXPECT_EQ(rows_.calls.size(), 2u);

    board_->RowsHidden();
    rows_.rows.clear(); // the closed window took its rows along
    ASSERT_TRUE(finishAll());
    EXPECT_EQ(rows_.calls.size(), 2u); // no row to remove once the window closed

    queue("http://b/");
    EXPECT_EQ(board_->Schedule(), Pass::CheckStarted);
    EXPECT_EQ(rows_.calls.back(), "add ");
    ASSERT_TRUE(finishAll());
    EXPECT_EQ(rows_.calls.back(), "remove");
    EXPECT_TRUE(rows_.rows.empty());
}

TEST_F(WorkersBoard, ResultsMessageGoesToTheSearchRunAndStrayMessagesAreDropped) {
    wait(s1_, 8);
    EXPECT_EQ(board_->Schedule(), Pass::SearchStarted);
    SearchWorker* worker = searchWorker();
    const ThreadMessages& messages = threadMessages();
    EXPECT_TRUE(board_->HandleMessage(messages.page, 0, worker->AsParam()));
    EXPECT_EQ(searches_.calls.back(), "file 8");
    int unknown = 0;
    EXPECT_TRUE(
        board_->HandleMessage(messages.end, 0, reinterpret_cast<platform::LParam>(&unknown)));
    EXPECT_FALSE(board_->HandleMessage(messages.bytesRead, 5, worker->AsParam()));
    EXPECT_EQ(board_->Threads().count(), 1u);
    ASSERT_TRUE(finishAll());
}

} // namespace
} // namespace qx::test
