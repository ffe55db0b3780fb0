#include "HttpTestServer.h"
#include "RecordingMessageBoxer.h"
#include "SearchRecorders.h"
#include "TempDir.h"

#include "lang/Language.h"
#include "model/DDoc.h"
#include "model/Object.h"
#include "model/OrgRef2.h"
#include "model/RefRoot.h"
#include "model/SearchRef.h"
#include "model/UrlRef.h"
#include "platform/SystemError.h"
#include "search/EngineTable.h"
#include "search/SearchModule.h"
#include "search/WSearchInfo.h"
#include "search/WebSearches.h"
#include "settings/ApplicationProfile.h"
#include "settings/Options.h"
#include "workers/Checker.h"
#include "workers/JobLoop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

namespace qx {
namespace {

std::string fakemodule(const char* name) {
    return std::string(QX_FAKE_SEARCH_DIR) + "/" + name + ".so";
}

// The real job board and workers driving a scripted module.
class WebSearchesTest : public ::testing::Test {
protected:
    void SetUp() override {
        language_ = test::englishlanguage();
        ASSERT_TRUE(language_);
        options_.maxThreads = 4;
        script_ = dir_.file("script.txt");
        setenv("QX_FAKE_SEARCH_SCRIPT", script_.c_str(), 1);
    }

    void script(const std::string& text) { std::ofstream(script_) << text; }

    void plug(const char* module) {
        searches_ = std::make_unique<WebSearches>(
            doc_, loop_.Board(), loop_.Waits(), screen_, *language_, boxes_, options_, engines_,
            module ? SearchModule::load(fakemodule(module)) : nullptr);
        doc_.setworkers(searches_.get());
    }

    SearchRef& start(const char* query, std::uint16_t servers) {
        FindInfo request;
        request.query = Str(query);
        request.servers = servers;
        SearchRef* search = searches_->Run().start(request);
        EXPECT_NE(search, nullptr);
        return *search;
    }

    test::TempDir dir_;
    ApplicationProfile profile_{dir_.file("qxseek.INI")};
    Options options_;
    EngineTable engines_;
    std::unique_ptr<Language> language_;
    DDoc doc_;
    test::ScreenRecorder screen_;
    test::RecordingMessageBoxer boxes_;
    std::string script_;
    JobLoop loop_{options_, profile_};
    std::unique_ptr<WebSearches> searches_;
};

TEST_F(WebSearchesTest, EnginesRunThroughTheBoardAndFileIntoOneSearch) {
    script("*\titem\t\t\t\t\t250\t0\n"
           "1\titem\t:\tFirst\thttp://a.example/1\twindows-1251\t10\t5\t2001-02-03\n"
           "1\titem\t:\tHeading\t\t\t0\t0\n"
           "1\titem\t::\tunder\thttp://b.example/2\t\t10\t1\n"
           "3\titem\t:\tFirst again\thttp://a.example/1\tkoi8-r\t10\t9\n"
           "3\treturn\t-1\n");
    plug("qsearch_fake");
    SearchRef& search = start("cats", 1 | 4);
    EXPECT_NE(searches_->ProgressFigure(), -1);
    ASSERT_TRUE(loop_.Run(10000));
    EXPECT_EQ(searches_->ProgressFigure(), -1);
    EXPECT_FALSE(search.hasflags(Ref::Running));
    EXPECT_EQ(search.searchprop().total, 2u);
    EXPECT_EQ(search.searchprop().added, 2u);
    const ServerInfo* aport = search.searchprop().serverinfo.find(1);
    const ServerInfo* yandex = search.searchprop().serverinfo.find(4);
    ASSERT_NE(aport, nullptr);
    ASSERT_NE(yandex, nullptr);
    // Which engine files the shared address first is the workers' race.
    EXPECT_EQ(aport->found, 2);
    EXPECT_EQ(aport->added + yandex->added, 2);
    EXPECT_TRUE(aport->error.empty());
    EXPECT_EQ(yandex->found, 1);
    EXPECT_EQ(yandex->error.view(), language_->text(10120));
    ASSERT_NE(doc_.finddomainnode("http://a.example/1"), nullptr);
    const Object& page = *doc_.finddomainnode("http://a.example/1")->target();
    EXPECT_EQ(page.props().servers, 5);
    EXPECT_EQ(page.props().modified.year, 2001);
    EXPECT_EQ(page.props().charset, 1u);
    EXPECT_TRUE(boxes_.boxes().empty());
}

// A third-party module may send anything: only http and https addresses are
// filed, titles lose their control characters, and an engine files at most
// the wanted number of results however many come.
TEST_F(WebSearchesTest, AModulesItemsAreFiledWithinTheRequestAndCleaned) {
    std::string lines = "1\titem\t:\tScript\tjavascript:alert(1)\t\t1\t1\n"
                        "1\titem\t:\tLocal\tfile:///etc/passwd\t\t1\t1\n"
                        "1\titem\t:\tSplit\thttp://a.example/\rSet-Cookie: x\t\t1\t1\n"
                        "1\titem\t:\t\x1b[31mRed\rline\x7f\thttp://a.example/red\t\t1\t1\n";
    for (int i = 0; i < 40; ++i)
        lines += "1\titem\t:\tR" + std::to_string(i) + "\tHTTPS://r.example/" + std::to_string(i) +
                 "\t\t1\t1\n";
    for (int i = 0; i < 40; ++i)
        lines += "1\titem\t:\tHeading " + std::to_string(i) + "\t\t\t0\t0\n";
    script(lines);
    plug("qsearch_fake");
    FindInfo request;
    request.query = Str("cats");
    request.servers = 1;
    request.max = 5;
    SearchRef* search = searches_->Run().start(request);
    ASSERT_TRUE(loop_.Run(10000));
    const ServerInfo* info = search->searchprop().serverinfo.find(1);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->found, 5);
    const Ref* red = doc_.finddomainnode("http://a.example/red");
    ASSERT_NE(red, nullptr);
    EXPECT_EQ(red->target()->props().title.view(), "[31mRed line");
    for (const Node* n = search->firstchild(); n; n = n->next()) {
        const Object* target = static_cast<const Ref*>(n)->target();
        ASSERT_NE(target, nullptr);
        EXPECT_TRUE(WSearchInfo::fileableurl(target->props().url.view()) ||
                    target->props().url.empty());
    }
}

// A module that ignores max and sends more items than a 16-bit sequence
// holds: the engine files the thousand wanted, numbered in order.
TEST_F(WebSearchesTest, AFloodOfItemsFilesTheWantedNumberInOrder) {
    std::string lines;
    for (int i = 0; i < 70000; ++i)
        lines += "1\titem\t:\tT" + std::to_string(i) + "\thttp://h" + std::to_string(i % 50) +
                 ".example/" + std::to_string(i) + "\t\t1\t1\n";
    script(lines);
    plug("qsearch_fake");
    FindInfo request;
    request.query = Str("flood");
    request.servers = 1;
    request.max = 1000;
    SearchRef* search = searches_->Run().start(request);
    ASSERT_TRUE(loop_.Run(60000));
    const ServerInfo* info = search->searchprop().serverinfo.find(1);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->found, 1000);
    EXPECT_EQ(doc_.finddomainnode("http://h0.example/1000"), nullptr);
    ASSERT_NE(doc_.finddomainnode("http://h49.example/999"), nullptr);
    std::vector<std::uint16_t> sequences;
    for (const Node* n = search->first(); n; n = n->next()) {
        if (const auto* result = dynamic_cast<const OrgRef2*>(n))
            sequences.push_back(result->orgprop().sequence);
    }
    ASSERT_EQ(sequences.size(), 1000u);
    EXPECT_TRUE(std::is_sorted(sequences.begin(), sequences.end()));
    EXPECT_EQ(sequences.back(), 1000);
}

TEST_F(WebSearchesTest, TheModuleGetsTheRequestAndTheProxySettings) {
    script("*\tquery\n");
    options_.useProxy = true;
    options_.proxyAdr = "proxy.example";
    options_.proxyPort = "81";
    plug("qsearch_fake");
    FindInfo request;
    request.query = Str("big cats");
    request.servers = 0x100; // no engine has this bit
    request.queryMode = 2;
    request.max = 7;
    request.exclude = Str("lions");
    SearchRef* search = searches_->Run().start(request);
    ASSERT_TRUE(loop_.Run(10000));
    ASSERT_NE(search->firstchild(), nullptr);
    const Object& page = *static_cast<Ref*>(search->firstchild())->target();
    EXPECT_EQ(page.props().title.view(), "big cats mode=2 max=7 exclude=lions engine=0 access=3 "
                                         "proxy=proxy.example:81");
    EXPECT_EQ(page.props().servers, 0);
}

TEST_F(WebSearchesTest, AMissingOrRefusedModuleGivesTheLookupErrorPerEngine) {
    script("*\titem\t:\tA\thttp://a.example/1\t\t1\t1\n");
    for (const char* module : {static_cast<const char*>(nullptr), "qsearch_fake_noentry",
                               "qsearch_fake_abi2", "qsearch_missing"}) {
        SCOPED_TRACE(module ? module : "no module");
        plug(module);
        SearchRef& search = start(module ? module : "none", 1 | 2);
        ASSERT_TRUE(loop_.Run(10000));
        for (std::uint16_t bit : {1, 2}) {
            const ServerInfo* info = search.searchprop().serverinfo.find(bit);
            ASSERT_NE(info, nullptr);
            EXPECT_EQ(info->error.view(), language_->errorText(platform::err::ProcNotFound));
        }
        EXPECT_EQ(search.count(), 0u);
        EXPECT_FALSE(search.hasflags(Ref::Running));
        doc_.setworkers(nullptr);
        searches_.reset();
    }
}

TEST_F(WebSearchesTest, StoppingDetachesAndTheModuleObeysTheStopEvent) {
    script("*\titem\t:\tA\thttp://a.example/1\t\t1\t1\n"
           "*\twaitstop\n");
    plug("qsearch_fake");
    SearchRef& search = start("cats", 1);
    EXPECT_FALSE(loop_.Run(300)); // the module waits for the stop
    ASSERT_EQ(search.count(), 1u);
    loop_.Board().StopAll();
    EXPECT_FALSE(search.hasflags(Ref::Running));
    ASSERT_TRUE(loop_.Run(10000));
    const ServerInfo* info = search.searchprop().serverinfo.find(1);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->found, 1);
    EXPECT_TRUE(info->error.empty());
    EXPECT_TRUE(boxes_.boxes().empty());
    EXPECT_EQ(screen_.statuses.back(), language_->text(9208));
}

TEST_F(WebSearchesTest, DeletingAFolderStopsTheSearchesInside) {
    script("*\titem\t:\tA\thttp://a.example/1\t\t1\t1\n"
           "*\twaitstop\n");
    plug("qsearch_fake");
    OrgRef2& folder = doc_.createfolder(Str("f"), doc_.orgroot(), nullptr);
    SearchRef& search = start("cats", 1 | 2);
    doc_.move(folder, search, nullptr);
    options_.maxThreads = 1; // the second engine keeps waiting
    EXPECT_FALSE(loop_.Run(300));
    doc_.deletesubtree(folder);
    doc_.commit();
    EXPECT_TRUE(loop_.Board().Waits().empty());
    ASSERT_TRUE(loop_.Run(10000));
    EXPECT_EQ(doc_.orgroot().count(), 0u);
}

TEST_F(WebSearchesTest, StopCheckingKeepsARunningSearchFromQueueingChecks) {
    script("*\titem\t:\tA\thttp://a.example/1\t\t1\t1\n"
           "*\tsleep\t400\n"
           "*\titem\t:\tB\thttp://b.example/1\t\t1\t2\n");
    plug("qsearch_fake");
    FindInfo request;
    request.query = Str("cats");
    request.servers = 1;
    request.check = true;
    SearchRef* search = searches_->Run().start(request);
    EXPECT_FALSE(loop_.Run(200));
    ASSERT_EQ(search->count(), 1u);
    EXPECT_FALSE(loop_.Board().Checks().empty());
    loop_.Board().StopChecking();
    ASSERT_TRUE(loop_.Run(10000));
    EXPECT_EQ(search->count(), 2u);
    EXPECT_TRUE(loop_.Board().Checks().empty());
}

// A request with its check flag: each new result is marked and really checked
// through the board's checker in the same run.
TEST_F(WebSearchesTest, TheCheckFlagChecksEveryNewResult) {
    test::HttpTestServer server;
    server.on("/found", test::HttpTestServer::Reply{});
    test::HttpTestServer::Reply gone;
    gone.status = 404;
    server.on("/gone", gone);
    script("1\titem\t:\tFound\t" + server.url("/found") + "\t\t10\t5\n" + "1\titem\t:\tGone\t" +
           server.url("/gone") + "\t\t10\t4\n");
    plug("qsearch_fake");
    Checker checker(doc_, loop_.Board(), *language_, options_);
    FindInfo request;
    request.query = Str("checked");
    request.servers = 1;
    request.check = true;
    SearchRef* search = searches_->Run().start(request);
    ASSERT_NE(search, nullptr);
    ASSERT_TRUE(loop_.Run(10000));
    EXPECT_EQ(server.requests().size(), 2u);
    EXPECT_EQ(doc_.finddomainnode(server.url("/found"))->flags() & Ref::kCheckState,
              Ref::CheckUnchanged);
    EXPECT_EQ(doc_.finddomainnode(server.url("/gone"))->flags() & Ref::kCheckState,
              Ref::CheckNotFound);
    EXPECT_EQ(search->searchprop().broken, 1u);
}

} // namespace
} // namespace qx
