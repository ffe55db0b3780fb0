// qxseek-cli check as a long run sees it: interrupted, re-run on what is left,
// with the program's settings.
#include "Eventually.h"
#include "HttpTestServer.h"
#include "RawSocketServer.h"
#include "TempDir.h"

#include "model/Container.h"
#include "model/DDoc.h"
#include "model/DocumentFile.h"
#include "model/Object.h"
#include "model/OrgRef2.h"
#include "model/RefRoot.h"
#include "model/UrlRef.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace qx {
namespace {

using test::eventually;
using test::HttpTestServer;
using test::RawSocketServer;

// The tool started in the background, its output going to files in dir.
class RunningCli {
public:
    RunningCli(const test::TempDir& dir, const std::vector<std::string>& args,
               const std::string& tool = QX_CLI_PATH)
        : out_(dir.file("stdout.txt")), err_(dir.file("stderr.txt")) {
        std::vector<char*> argv{const_cast<char*>(tool.c_str())};
        for (const std::string& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        pid_ = ::fork();
        if (pid_ == 0) {
            if (!std::freopen(out_.c_str(), "w", stdout) ||
                !std::freopen(err_.c_str(), "w", stderr))
                ::_exit(126);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
    }
    ~RunningCli() {
        if (pid_ > 0 && !done_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    void signal(int number) const { ::kill(pid_, number); }
    // The exit status; -1 when it did not exit by itself.
    int wait() {
        int status = 0;
        ::waitpid(pid_, &status, 0);
        done_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string out() const { return test::TempDir::read(out_); }
    std::string err() const { return test::TempDir::read(err_); }

private:
    std::string out_;
    std::string err_;
    pid_t pid_ = -1;
    bool done_ = false;
};

// A document of references to these addresses, in one folder; the last
// one carries an earlier check's verdict when `earlier` is set.
void writerefs(const std::string& path, const std::vector<std::string>& urls,
               std::uint16_t earlier = 0) {
    DDoc doc;
    Ref& folder = doc.createfolder(Str("refs"), doc.orgroot(), nullptr);
    for (std::size_t i = 0; i < urls.size(); ++i) {
        ObjectProp props;
        props.url = Str(urls[i]);
        if (earlier && i + 1 == urls.size())
            props.status = Str("earlier verdict");
        auto* page = static_cast<Object*>(doc.container().add(std::make_unique<Object>(props)));
        UrlRef& domain = *doc.filedomainnode(urls[i]);
        doc.settarget(domain, page);
        Ref& node = doc.createresult(page, nullptr, folder, nullptr, false);
        if (earlier && i + 1 == urls.size()) {
            doc.setcheckstate(domain, earlier);
            doc.setcheckstate(node, earlier);
        }
    }
    ASSERT_EQ(saveDocument(path, doc), 0);
}

struct Verdicts {
    int unchanged = 0;
    int other = 0;
    std::uint16_t state = 0; // of the address asked about
    std::string status;
};

Verdicts verdicts(const std::string& path, const std::string& url) {
    Verdicts v;
    DDoc doc;
    if (loadDocument(path, doc) != 0)
        return v;
    for (Tree* t = doc.domainroot().firstchild(); t; t = t->nextpreorder(&doc.domainroot())) {
        const Ref& ref = static_cast<const Ref&>(*t);
        const Object* page = ref.target();
        if (!page)
            continue;
        const std::uint16_t state = ref.flags() & Ref::kCheckState;
        (state == Ref::CheckUnchanged ? v.unchanged : v.other) += state != 0;
        if (page->props().url.view() == url) {
            v.state = state;
            v.status = std::string(page->props().status.view());
        }
    }
    return v;
}

std::vector<std::string> goodPages(const HttpTestServer& server, int n) {
    std::vector<std::string> urls;
    for (int i = 0; i < n; ++i)
        urls.push_back(server.url("/p?" + std::to_string(i)));
    return urls;
}

// The answers that came before the signal are saved, the check of the
// address that never answers leaves its reference as it was, and the exit
// status says which signal ended the run.
TEST(CheckRun, InterruptedRunKeepsEveryFinishedResult) {
    HttpTestServer server;
    server.on("/p", HttpTestServer::Reply{200, {}, "page"});
    RawSocketServer hostile(RawSocketServer::silent());
    test::TempDir dir;
    const std::string path = dir.file("refs.qxo");
    const std::string stuck = hostile.url("/never");

    for (auto [signal, pages, status] : {std::tuple{SIGINT, 1000, 130}, {SIGTERM, 20, 143}}) {
        SCOPED_TRACE(signal);
        std::vector<std::string> urls = goodPages(server, pages);
        urls.push_back(stuck);
        writerefs(path, urls, Ref::CheckChanged);
        const std::size_t before = server.answered();
        RunningCli run(dir, {"check", path, "--jobs", "8", "--save-every", "3600"});
        ASSERT_TRUE(eventually([&] { return server.answered() - before == std::size_t(pages); },
                               std::chrono::seconds(60)));
        run.signal(signal);
        EXPECT_EQ(run.wait(), status) << run.err();
        EXPECT_NE(run.err().find("interrupted"), std::string::npos);
        const Verdicts after = verdicts(path, stuck);
        EXPECT_EQ(after.unchanged, pages);
        EXPECT_EQ(after.other, 1);
        EXPECT_EQ(after.state, Ref::CheckChanged);
        EXPECT_EQ(after.status, "earlier verdict");
    }
}

TEST(CheckRun, ProgressIsSavedWhileTheRunGoesOn) {
    HttpTestServer server;
    server.on("/p", HttpTestServer::Reply{200, {}, "page"});
    RawSocketServer hostile(RawSocketServer::silent());
    test::TempDir dir;
    const std::string path = dir.file("refs.qxo");
    std::vector<std::string> urls = goodPages(server, 30);
    urls.push_back(hostile.url("/never"));
    writerefs(path, urls);
    RunningCli run(dir, {"check", path, "--save-every", "1"});
    EXPECT_TRUE(
        eventually([&] { return verdicts(path, "").unchanged == 30; }, std::chrono::seconds(20)));
    run.signal(SIGINT);
    EXPECT_EQ(run.wait(), 130);
}

TEST(CheckRun, OnlyFailedOrUncheckedAndWhereAddressesMoved) {
    HttpTestServer server;
    server.on("/a", HttpTestServer::Reply{200, {}, "a"});
    server.on("/gone", HttpTestServer::Reply{404, {}, "no"});
    server.redirect("/old", "/a", 301);
    server.redirect("/older", "/old", 308);
    server.redirect("/elsewhere", "/a", 302);
    test::TempDir dir;
    const std::string path = dir.file("refs.qxo");
    writerefs(path, {server.url("/a"), server.url("/gone"), server.url("/old"),
                     server.url("/older"), server.url("/elsewhere")});

    RunningCli all(dir, {"check", path, "--list", "--per-host", "0"});
    ASSERT_EQ(all.wait(), 0) << all.err();
    const std::string listed = all.out();
    EXPECT_NE(listed.find(server.url("/old") + "\t\tmoved to " + server.url("/a") + "\n"),
              std::string::npos)
        << listed;
    EXPECT_NE(listed.find(server.url("/older") + "\t\tmoved to " + server.url("/a") + "\n"),
              std::string::npos);
    // A temporary redirect is no move.
    EXPECT_NE(listed.find(server.url("/elsewhere") + "\t\n"), std::string::npos);
    EXPECT_NE(listed.find("not found\t" + server.url("/gone") + "\tNot found (404)\n"),
              std::string::npos);

    const std::size_t asked = server.requests().size();
    RunningCli failed(dir, {"check", path, "--only", "failed"});
    ASSERT_EQ(failed.wait(), 0) << failed.err();
    EXPECT_EQ(failed.out(), "unchanged 0\tchanged 0\tnot found 1\terror 0\tskipped 0\n");
    ASSERT_EQ(server.requests().size(), asked + 1);
    EXPECT_EQ(server.requests().back().target, "/gone");

    RunningCli unchecked(dir, {"check", path, "--only", "unchecked"});
    ASSERT_EQ(unchecked.wait(), 0);
    EXPECT_EQ(unchecked.out(), "unchanged 0\tchanged 0\tnot found 0\terror 0\tskipped 0\n");
    EXPECT_EQ(server.requests().size(), asked + 1);

    RunningCli wrong(dir, {"check", path, "--only", "everything"});
    EXPECT_EQ(wrong.wait(), 2);
}

// A reference's own name carries the date its label had ("same [01 Jan
// 2020 12:00]"); a path names it by its page's title alone.
TEST(CheckRun, PathFindsADatedReferenceByItsTitle) {
    HttpTestServer server;
    server.on("/a", HttpTestServer::Reply{200, {}, "a"});
    server.on("/b", HttpTestServer::Reply{200, {}, "b"});
    test::TempDir dir;
    const std::string path = dir.file("refs.qxo");
    {
        DDoc doc;
        Ref& folder = doc.createfolder(Str("refs"), doc.orgroot(), nullptr);
        for (const char* name : {"same", "other"}) {
            ObjectProp props;
            props.url = Str(server.url(name == std::string("same") ? "/a" : "/b"));
            props.title = Str(name);
            props.modified.year = 2020;
            props.modified.month = 1;
            props.modified.day = 1;
            props.modified.hour = 12;
            auto* page = static_cast<Object*>(doc.container().add(std::make_unique<Object>(props)));
            doc.settarget(*doc.filedomainnode(std::string(props.url.view())), page);
            const Ref& node = doc.createresult(page, nullptr, folder, nullptr, false);
            ASSERT_NE(node.name().view(), name); // the label carries the date
        }
        ASSERT_EQ(saveDocument(path, doc), 0);
    }
    RunningCli run(dir, {"check", path, "refs/same"});
    ASSERT_EQ(run.wait(), 0) << run.err();
    EXPECT_EQ(run.out(), "unchanged 1\tchanged 0\tnot found 0\terror 0\tskipped 0\n");
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0].target, "/a");
}

// The tool reads the settings file the program beside it uses: here the
// proxy that every check must go through.
TEST(CheckRun, ChecksGoThroughTheProxyOfTheProgramsSettings) {
    RawSocketServer proxy(
        RawSocketServer::replyWith("HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n"));
    test::TempDir dir;
    std::filesystem::create_directory(dir.file("bin"));
    const std::string tool = dir.file("bin/qxseek-cli");
    std::filesystem::copy_file(QX_CLI_PATH, tool);
    dir.write("bin/qxseek.INI", "[Options]\nUseProxy=1\nProxyAdr=127.0.0.1\nProxyPort=" +
                                    std::to_string(proxy.port()) + "\n");
    const std::string path = dir.file("refs.qxo");
    writerefs(path, {"http://pages.invalid/one"});
    RunningCli run(dir, {"check", path}, tool);
    ASSERT_EQ(run.wait(), 0) << run.err();
    EXPECT_EQ(run.out(), "unchanged 1\tchanged 0\tnot found 0\terror 0\tskipped 0\n");
    ASSERT_EQ(proxy.requests().size(), 1u);
    EXPECT_EQ(proxy.requests()[0].rfind("GET http://pages.invalid/one HTTP/1.1\r\n", 0), 0u);
}

} // namespace
} // namespace qx
