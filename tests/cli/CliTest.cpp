#include "HttpTestServer.h"
#include "NginxServer.h"
#include "TempDir.h"

#include "model/Container.h"
#include "model/DDoc.h"
#include "model/DocumentFile.h"
#include "model/DomainRef.h"
#include "model/Object.h"
#include "model/OrgRef2.h"
#include "model/RefRoot.h"
#include "model/UrlRef.h"
#include "platform/FileTime.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <vector>

namespace qx {
namespace {

struct Outcome {
    int code = -1;
    std::string out;
    std::string err;
};

std::string quoted(const std::string& word) {
    std::string q = "'";
    for (char c : word) {
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return q + "'";
}

// Runs the built tool with the arguments and the given standard input.
Outcome cli(const test::TempDir& dir, const std::vector<std::string>& args,
            const std::string& input = "") {
    std::string command = quoted(QX_CLI_PATH);
    for (const std::string& arg : args) {
        command += " " + quoted(arg);
    }
    const std::string in = dir.write("stdin.txt", input);
    command += " <" + quoted(in) + " >" + quoted(dir.file("stdout.txt")) + " 2>" +
               quoted(dir.file("stderr.txt"));
    int status = std::system(command.c_str());
    Outcome outcome;
    outcome.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    outcome.out = test::TempDir::read(dir.file("stdout.txt"));
    outcome.err = test::TempDir::read(dir.file("stderr.txt"));
    return outcome;
}

std::size_t lines(const std::string& text) {
    std::size_t n = 0;
    for (char c : text) {
        n += c == '\n';
    }
    return n;
}

TEST(Cli, HelpForTheToolAndEachCommand) {
    test::TempDir dir;
    Outcome all = cli(dir, {"--help"});
    EXPECT_EQ(all.code, 0);
    for (const char* name :
         {"new", "dump", "file", "add", "convert", "merge", "stats", "search", "export-html",
          "export-shortcuts", "import-bookmarks", "export-bookmarks"}) {
        EXPECT_NE(all.out.find(std::string("  ") + name + " "), std::string::npos) << name;
        Outcome one = cli(dir, {"help", name});
        EXPECT_EQ(one.code, 0) << name;
        EXPECT_EQ(one.out.rfind(std::string("Usage: qxseek-cli ") + name, 0), 0u) << name;
        EXPECT_EQ(cli(dir, {name, "--help"}).out, one.out) << name;
    }
    Outcome unknown = cli(dir, {"frobnicate"});
    EXPECT_EQ(unknown.code, 2);
    EXPECT_EQ(lines(unknown.err), 1u);
    EXPECT_EQ(cli(dir, {"convert", "only-one"}).code, 2);
    EXPECT_EQ(cli(dir, {"add", "a.qxo", "--colour", "red", "http://h/"}).code, 2);
}

TEST(Cli, EveryCommandOnce) {
    test::TempDir dir;
    const std::string a = dir.file("a.qxo");
    const std::string b = dir.file("b.qxo");
    ASSERT_EQ(cli(dir, {"new", a}).code, 0);
    EXPECT_EQ(test::TempDir::read(a).size(), 42u);

    EXPECT_EQ(cli(dir, {"file", a, "http://example.com/x/y", "https://foo.org/"}).code, 0);
    EXPECT_EQ(cli(dir, {"file", a, "-"}, "http://example.com/z\n\n  http://b.net/q \n").code, 0);
    EXPECT_EQ(cli(dir, {"add", a, "--folder", "Work/Docs", "--title", "Example",
                        "http://example.com/x/y"})
                  .code,
              0);

    DDoc doc;
    ASSERT_EQ(loadDocument(a, doc), 0);
    EXPECT_EQ(doc.domainroot().count(), 3u);
    UrlRef* y = doc.finddomainnode("http://example.com/x/y");
    ASSERT_NE(y, nullptr);
    ASSERT_NE(y->target(), nullptr);
    EXPECT_TRUE(y->target()->hasflags(Object::Confirmed));
    EXPECT_EQ(y->target()->props().title.view(), "Example");
    EXPECT_EQ(y->target()->refcounter(), 2u);
    ASSERT_NE(doc.finddomainnode("http://b.net/q"), nullptr);
    Ref* work = static_cast<Ref*>(doc.orgroot().first());
    ASSERT_NE(work, nullptr);
    EXPECT_EQ(work->name().view(), "Work");
    EXPECT_EQ(static_cast<Ref*>(work->first())->name().view(), "Docs");

    Outcome dump = cli(dir, {"dump", a});
    EXPECT_EQ(dump.code, 0);
    EXPECT_EQ(dump.out.rfind("Container ", 0), 0u);
    EXPECT_NE(dump.out.find("      0x"), std::string::npos); // the reference, three deep
    EXPECT_NE(dump.out.find("http://b.net/q"), std::string::npos);

    ASSERT_EQ(cli(dir, {"convert", a, b}).code, 0);
    EXPECT_EQ(test::TempDir::read(b), test::TempDir::read(a));
    ASSERT_EQ(cli(dir, {"merge", b, a}).code, 0);
    Outcome stats = cli(dir, {"stats", b});
    EXPECT_EQ(stats.code, 0);
    EXPECT_NE(stats.out.find("version: 3\n"), std::string::npos);
    EXPECT_NE(stats.out.find("hosts: 3\n"), std::string::npos);
    EXPECT_NE(stats.out.find("OrgRef2: 6\n"), std::string::npos) << stats.out;
    EXPECT_NE(stats.out.find("SearchRef: 0\n"), std::string::npos);
}

// Hosts as another sort type or another program may have written them: out of
// order under every sort type (names a, b, c; by host com, net, org; by count
// 5 before 1).
void writeunordered(const std::string& path) {
    DDoc doc;
    for (auto [name, count] :
         {std::pair{"http://b.net", 1u}, {"http://a.org", 1u}, {"http://c.com", 5u}}) {
        auto& host = static_cast<DomainRef&>(
            doc.createdomainnode(doc.domainroot(), Str(name), nullptr, false));
        host.sethostcount(count);
    }
    ASSERT_EQ(saveDocument(path, doc), 0);
}

std::string hostnames(const std::string& path) {
    DDoc doc;
    if (loadDocument(path, doc) != 0)
        return "unreadable";
    std::string names;
    for (const Node* n = doc.domainroot().first(); n; n = n->next())
        names += std::string(names.empty() ? "" : ",") +
                 std::string(static_cast<const Ref*>(n)->name().view());
    return names;
}

// Filing into such a document finds the host that is there, through every
// command that files, and leaves the hosts as the program would sort them.
TEST(Cli, FilingNeverMakesASecondHost) {
    test::TempDir dir;
    const std::string from = dir.file("from.qxo");
    ASSERT_EQ(cli(dir, {"new", from}).code, 0);
    ASSERT_EQ(cli(dir, {"add", from, "--sort-hosts", "name", "http://a.org/new"}).code, 0);
    const std::pair<const char*, const char*> types[] = {
        {"name", "http://a.org,http://b.net,http://c.com"},
        {"host", "http://c.com,http://b.net,http://a.org"},
        {"count", "http://c.com,http://a.org,http://b.net"}};
    for (const char* command : {"file", "add", "merge"}) {
        for (const auto& [type, order] : types) {
            const std::string t = dir.file("t.qxo");
            writeunordered(t);
            std::vector<std::string> args{command, "--sort-hosts", type, t};
            args.push_back(std::string(command) == "merge" ? from : "http://a.org/new");
            const Outcome outcome = cli(dir, args);
            EXPECT_EQ(outcome.code, 0) << command << " " << type << ": " << outcome.err;
            EXPECT_EQ(hostnames(t), order) << command << " " << type;
            DDoc doc;
            ASSERT_EQ(loadDocument(t, doc), 0);
            UrlRef* page = doc.finddomainnode("http://a.org/new");
            ASSERT_NE(page, nullptr) << command << " " << type;
            EXPECT_EQ(static_cast<DomainRef*>(page->parent())->hostcount(), 2u);
        }
    }
    Outcome bad = cli(dir, {"file", "--sort-hosts", "size", dir.file("t.qxo"), "http://a.org/"});
    EXPECT_EQ(bad.code, 2);
    EXPECT_EQ(lines(bad.err), 1u);
}

// Without --sort-hosts the tool takes the program's setting from the settings
// file beside it.
TEST(Cli, SortsHostsAsTheProgramsSettingsSay) {
    test::TempDir dir;
    std::filesystem::create_directory(dir.file("bin"));
    const std::string tool = dir.file("bin/qxseek-cli");
    std::filesystem::copy_file(QX_CLI_PATH, tool);
    dir.write("bin/qxseek.INI", "[Options]\nSortServersType=1\n");
    const std::string t = dir.file("t.qxo");
    writeunordered(t);
    const std::string command = quoted(tool) + " file " + quoted(t) + " http://a.org/new";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(hostnames(t), "http://c.com,http://b.net,http://a.org");
}

TEST(Cli, ExportsAndBookmarkFilesOverOrganizerPaths) {
    test::TempDir dir;
    const std::string a = dir.file("a.qxo");
    ASSERT_EQ(cli(dir, {"new", a}).code, 0);
    ASSERT_EQ(cli(dir, {"add", a, "--folder", "Work/Docs", "--title", "<b>Spec</b>",
                        "http://example.com/spec"})
                  .code,
              0);
    ASSERT_EQ(
        cli(dir, {"add", a, "--folder", "Home", "--title", "Recipes", "http://food.org/"}).code, 0);

    const std::string page = dir.file("page.html");
    ASSERT_EQ(cli(dir, {"export-html", a, page, "Work/Docs"}).code, 0);
    const std::string html = test::TempDir::read(page);
    EXPECT_NE(html.find("&lt;b&gt;Spec&lt;/b&gt;"), std::string::npos);
    EXPECT_EQ(html.find("Recipes"), std::string::npos);
    ASSERT_EQ(cli(dir, {"export-html", a, dir.file("all.html")}).code, 0);
    EXPECT_NE(test::TempDir::read(dir.file("all.html")).find("Recipes"), std::string::npos);

    ASSERT_EQ(cli(dir, {"export-shortcuts", a, dir.file("links"), "Work"}).code, 0);
    EXPECT_NE(test::TempDir::read(dir.file("links/Work/Docs/_b_Spec__b_.url"))
                  .find("URL=http://example.com/spec\r\n"),
              std::string::npos);

    const std::string bookmarks = dir.file("bookmarks.html");
    ASSERT_EQ(cli(dir, {"export-bookmarks", a, bookmarks}).code, 0);
    const std::string b = dir.file("b.qxo");
    ASSERT_EQ(cli(dir, {"new", b}).code, 0);
    Outcome imported = cli(dir, {"import-bookmarks", b, bookmarks});
    ASSERT_EQ(imported.code, 0);
    EXPECT_EQ(imported.out, "folders: 3\nbookmarks: 2\nskipped: 0\n");
    const std::string again = dir.file("again.html");
    ASSERT_EQ(cli(dir, {"export-bookmarks", b, again}).code, 0);
    EXPECT_EQ(test::TempDir::read(again), test::TempDir::read(bookmarks));

    Outcome missing = cli(dir, {"export-html", a, dir.file("x.html"), "Work/Nothing"});
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(missing.err, "qxseek-cli: no node at Work/Nothing in the organizer tree\n");
    EXPECT_EQ(cli(dir, {"import-bookmarks", b, dir.write("empty.html", "")}).code, 1);
    EXPECT_EQ(cli(dir, {"export-html", a, dir.file("no/such/folder.html")}).code, 1);
}

// The first thing a newcomer tries: addresses filed by host only. The exports
// of the organizer tree refuse the empty tree in words; --sites writes the
// pages by host and path, and the bookmark file of it reads back.
TEST(Cli, ExportsOfTheSitesTreeAndOfAnEmptyOrganizerTree) {
    test::TempDir dir;
    const std::string a = dir.file("a.qxo");
    ASSERT_EQ(cli(dir, {"new", a}).code, 0);
    ASSERT_EQ(cli(dir, {"file", a, "https://example.org/a/b.html", "https://example.org/c",
                        "http://other.net/"})
                  .code,
              0);
    for (const char* command : {"export-html", "export-shortcuts", "export-bookmarks"}) {
        const std::string out = dir.file(std::string("empty-") + command);
        Outcome empty = cli(dir, {command, a, out});
        EXPECT_EQ(empty.code, 1) << command;
        EXPECT_EQ(empty.err, "qxseek-cli: the organizer tree of " + a +
                                 " is empty; --sites exports the pages by host\n")
            << command;
        EXPECT_FALSE(std::filesystem::exists(out)) << command;
    }

    const std::string page = dir.file("sites.html");
    ASSERT_EQ(cli(dir, {"export-html", "--sites", a, page}).code, 0);
    const std::string html = test::TempDir::read(page);
    // The host and the path piece the sites tree made for b.html are headings;
    // an address the user filed itself is a link even where it is a host.
    for (const char* link : {"HREF=https://example.org/a/b.html>", "HREF=https://example.org/c>",
                             "HREF=http://other.net>"})
        EXPECT_NE(html.find(link), std::string::npos) << link;
    EXPECT_EQ(html.find("HREF=https://example.org>"), std::string::npos);
    EXPECT_EQ(html.find("HREF=https://example.org/a>"), std::string::npos);
    const std::size_t host = html.find("<DT>\r\nhttps://example.org\r\n</DT>");
    const std::size_t path = html.find("<DT>\r\na\r\n</DT>");
    ASSERT_NE(host, std::string::npos);
    ASSERT_NE(path, std::string::npos);
    EXPECT_LT(host, path);
    EXPECT_LT(path, html.find("https://example.org/a/b.html"));

    ASSERT_EQ(cli(dir, {"export-shortcuts", "--sites", a, dir.file("links")}).code, 0);
    EXPECT_GE(std::distance(std::filesystem::recursive_directory_iterator(dir.file("links")),
                            std::filesystem::recursive_directory_iterator()),
              3);

    const std::string bookmarks = dir.file("bookmarks.html");
    ASSERT_EQ(cli(dir, {"export-bookmarks", "--sites", a, bookmarks}).code, 0);
    const std::string b = dir.file("b.qxo");
    ASSERT_EQ(cli(dir, {"new", b}).code, 0);
    Outcome imported = cli(dir, {"import-bookmarks", b, bookmarks});
    ASSERT_EQ(imported.code, 0);
    EXPECT_EQ(imported.out, "folders: 2\nbookmarks: 3\nskipped: 0\n");

    Outcome withpath = cli(dir, {"export-html", "--sites", a, dir.file("x.html"), "Work"});
    EXPECT_EQ(withpath.code, 1);
    EXPECT_EQ(lines(withpath.err), 1u);
}

TEST(Cli, FailuresAreOneLineAndChangeNothing) {
    test::TempDir dir;
    const std::string a = dir.file("a.qxo");
    ASSERT_EQ(cli(dir, {"new", a}).code, 0);
    const std::string before = test::TempDir::read(a);

    Outcome exists = cli(dir, {"new", a});
    EXPECT_EQ(exists.code, 1);
    EXPECT_EQ(exists.err, "qxseek-cli: cannot create " + a + ": the file exists\n");

    Outcome bad = cli(dir, {"file", a, "http://ok.com/", "not-an-address"});
    EXPECT_EQ(bad.code, 1);
    EXPECT_EQ(lines(bad.err), 1u);
    EXPECT_EQ(test::TempDir::read(a), before);

    const std::string text = dir.write("x.qxo", "plain text, long enough to be read");
    Outcome notdoc = cli(dir, {"dump", text});
    EXPECT_EQ(notdoc.code, 1);
    EXPECT_EQ(notdoc.err, "qxseek-cli: cannot open " + text + ": not a qxseek document\n");

    Outcome missing = cli(dir, {"stats", dir.file("none.qxo")});
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(lines(missing.err), 1u);

    dir.write("plain", "x");
    Outcome unsaved = cli(dir, {"convert", a, dir.file("plain/b.qxo")});
    EXPECT_EQ(unsaved.code, 1);
    EXPECT_EQ(unsaved.err.rfind("qxseek-cli: cannot save ", 0), 0u);
}

TEST(Cli, SearchFilesResultsAndReusesTheSavedSearch) {
    test::TempDir dir;
    const std::string doc = dir.file("s.qxo");
    const std::string script =
        dir.write("script.txt", "*\titem\t\t\t\t\t250\t0\n"
                                "1\titem\t:\tFirst\thttp://a.example/1\t\t10\t5\n"
                                "3\titem\t:\tSecond\thttp://b.example/1\t\t10\t5\n"
                                "3\treturn\t12007\n");
    setenv("QX_FAKE_SEARCH_SCRIPT", script.c_str(), 1);
    const std::string module = std::string(QX_FAKE_SEARCH_DIR) + "/qsearch_fake.so";
    ASSERT_EQ(cli(dir, {"new", doc}).code, 0);
    Outcome first = cli(dir, {"search", doc, "--engines", "5", "--module", module, "big", " cats"});
    EXPECT_EQ(first.code, 0) << first.err;
    EXPECT_NE(first.out.find("Aport\tfound 1\tadded 1\t\n"), std::string::npos) << first.out;
    EXPECT_NE(first.out.find("Yandex\tfound 1\tadded 1\tThe server name"), std::string::npos);
    EXPECT_NE(first.out.find("total 2\tadded 2\tbroken 0\n"), std::string::npos);
    EXPECT_TRUE(first.err.empty()) << first.err;

    Outcome again = cli(dir, {"search", doc, "--engines", "1", "--module", module, "big cats"});
    EXPECT_EQ(again.code, 0);
    EXPECT_NE(again.out.find("total 1\tadded 0\tbroken 0\n"), std::string::npos) << again.out;
    EXPECT_EQ(lines(again.err), 2u) << again.err; // the question, answered OK
    Outcome stats = cli(dir, {"stats", doc});
    EXPECT_NE(stats.out.find("SearchRef: 1\n"), std::string::npos) << stats.out;

    // Every engine failing (here for want of a module) is a failed search,
    // though the document is saved with their records.
    Outcome nomodule = cli(dir, {"search", doc, "--module", dir.file("none.so"), "x"});
    EXPECT_EQ(nomodule.code, 1);
    EXPECT_NE(nomodule.err.find("cannot load the search module"), std::string::npos);
    EXPECT_NE(nomodule.err.find("no engine answered"), std::string::npos);
    const std::string failing = dir.write("failing.txt", "*\treturn\t12002\n");
    setenv("QX_FAKE_SEARCH_SCRIPT", failing.c_str(), 1);
    Outcome timedout = cli(dir, {"search", doc, "--engines", "3", "--module", module, "y"});
    EXPECT_EQ(timedout.code, 1);
    EXPECT_NE(timedout.out.find("Aport\tfound 0\tadded 0\tThe server did not answer in time."),
              std::string::npos)
        << timedout.out;
    setenv("QX_FAKE_SEARCH_SCRIPT", script.c_str(), 1);
    EXPECT_EQ(cli(dir, {"search", doc, "--mode", "9", "x"}).code, 1);
}

// search --check: the new results are checked in the same run, and a 404 is
// counted as broken in the totals.
TEST(Cli, SearchWithCheckChecksTheNewResults) {
    test::HttpTestServer server;
    test::HttpTestServer::Reply gone;
    gone.status = 404;
    server.on("/gone", gone);
    server.on("/here", test::HttpTestServer::Reply{});
    test::TempDir dir;
    const std::string doc = dir.file("c.qxo");
    const std::string script =
        dir.write("script.txt", "1\titem\t:\tGone\t" + server.url("/gone") + "\t\t10\t5\n" +
                                    "1\titem\t:\tHere\t" + server.url("/here") + "\t\t10\t4\n");
    setenv("QX_FAKE_SEARCH_SCRIPT", script.c_str(), 1);
    const std::string module = std::string(QX_FAKE_SEARCH_DIR) + "/qsearch_fake.so";
    ASSERT_EQ(cli(dir, {"new", doc}).code, 0);
    Outcome run = cli(dir, {"search", doc, "--engines", "1", "--check", "--module", module, "x"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("total 2\tadded 2\tbroken 1\n"), std::string::npos) << run.out;
    EXPECT_EQ(server.requests().size(), 2u);
}

TEST(Cli, EnginesListsTheSlotsAndChecksADefinitionsFileLineByLine) {
    test::TempDir dir;
    const std::string good =
        dir.write("good.json", "{\"engines\": {\"6\": {\"url\": \"https://e.example/?q={query}\", "
                               "\"kind\": \"feed\"}}}\n");
    Outcome listed = cli(dir, {"engines", "--check", good});
    EXPECT_EQ(listed.code, 0) << listed.err;
    EXPECT_NE(listed.out.find(" 6  Yahoo          feed https://e.example/?q={query}"),
              std::string::npos)
        << listed.out;
    EXPECT_NE(listed.out.find(" 1  Aport          no definition"), std::string::npos);

    const std::string bad = dir.write("bad.json", "{\n"
                                                  " \"engines\": {\n"
                                                  "  \"2\": {\"url\": \"https://x/?q={qury}\",\n"
                                                  "        \"kind\": \"html\",\n"
                                                  "        \"fields\": {\"results\": \"//li[\"},\n"
                                                  "        \"colour\": 1}\n"
                                                  " }\n"
                                                  "}\n");
    Outcome checked = cli(dir, {"engines", "--check", bad});
    EXPECT_EQ(checked.code, 1);
    EXPECT_NE(checked.out.find(" 2  Rambler        broken definition"), std::string::npos);
    for (const char* line : {":3: \"url\" of engine 2: unknown placeholder {qury}",
                             ":5: \"//li[\" is not a valid XPath expression",
                             ":6: unknown key \"colour\" in engine 2"})
        EXPECT_NE(checked.err.find(bad + line), std::string::npos) << checked.err;
    EXPECT_EQ(cli(dir, {"engines", bad}).code, 0); // listing alone does not fail
    EXPECT_EQ(cli(dir, {"engines", "--check", dir.file("none.json")}).code, 1);
}

TEST(Cli, SearchThroughOurModuleFilesAnEnginesResultsIntoTheDocument) {
    // The real qsearch.so beside the tool, its engine defined by the user's
    // file and answering from a local server in the SearXNG shape.
    test::TempDir dir;
    test::HttpTestServer engine;
    engine.on("/search", test::HttpTestServer::Reply{200,
                                                     {},
                                                     R"json({"number_of_results": 1234, "results": [
          {"title": "Big &amp; <b>cats</b>", "url": "http://cats.example/big", "score": 2},
          {"title": "Small cats", "url": "/small", "publishedDate": "2024-03-05T10:20:30Z"}]})json",
                                                     "application/json"});
    mkdir(dir.file("config").c_str(), 0700);
    mkdir(dir.file("config/qxseek").c_str(), 0700);
    dir.write("config/qxseek/qsearch.json", R"json({"engines": {"1": {"url": ")json" +
                                                engine.url("/search") +
                                                R"json(?q={query}&format=json",
        "fields": {"results": "results", "title": "title", "url": "url",
                   "date": "publishedDate", "score": "score", "total": "number_of_results"}}}})json");
    setenv("XDG_CONFIG_HOME", dir.file("config").c_str(), 1);
    const std::string doc = dir.file("s.qxo");
    ASSERT_EQ(cli(dir, {"new", doc}).code, 0);
    Outcome searched = cli(dir, {"search", doc, "--engines", "3", "--max", "10", "big cats"});
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(searched.code, 0) << searched.err;
    EXPECT_NE(searched.out.find("Aport\tfound 2\tadded 2\t\n"), std::string::npos) << searched.out;
    // The Rambler slot has no definition: its record says so.
    EXPECT_NE(searched.out.find("Rambler\tfound 0\tadded 0\tThere is no definition"),
              std::string::npos)
        << searched.out;
    ASSERT_EQ(engine.requests().size(), 1u);
    EXPECT_EQ(engine.requests()[0].target, "/search?q=big+cats&format=json");
    const Outcome dumped = cli(dir, {"dump", doc});
    for (const std::string& text :
         {std::string("http://cats.example/big"), std::string("Big & cats"), engine.url("/small"),
          std::string("Small cats")})
        EXPECT_NE(dumped.out.find(text), std::string::npos) << text << "\n" << dumped.out;
}

// A new user's search: no --engines, so every shipped engine is asked, each
// answering as its service documents it from a local server standing in for
// the service's host; the results are filed into the document.
TEST(Cli, TheShippedEnginesFileTheirResultsIntoADocument) {
    test::TempDir dir;
    test::HttpTestServer engines;
    const auto serve = [&engines](const std::string& path, const std::string& answer,
                                  const std::string& type) {
        engines.on(path, test::HttpTestServer::Reply{
                             200,
                             {},
                             test::TempDir::read(std::string(QSEARCH_ANSWERS_DIR) + "/" + answer),
                             type});
    };
    serve("/w/api.php", "wikipedia.json", "application/json");
    serve("/api/v1/search", "hackernews.json", "application/json");
    serve("/api/query", "arxiv.xml", "application/atom+xml");
    serve("/works", "crossref.json", "application/json");
    serve("/2.3/search/advanced", "stackexchange.json", "application/json");
    serve("/search/repositories", "github.json", "application/json");
    serve("/search.json", "openlibrary.json", "application/json");
    serve("/html/", "duckduckgo.html", "text/html");
    // The shipped file as the user's, every address on the local server.
    const std::string shipped =
        test::TempDir::read(std::string(QSEARCH_SOURCE_DIR) + "/qsearch.json");
    mkdir(dir.file("config").c_str(), 0700);
    mkdir(dir.file("config/qxseek").c_str(), 0700);
    dir.write("config/qxseek/qsearch.json",
              std::regex_replace(shipped, std::regex(R"re("url": "https://[^/"]+)re"),
                                 "\"url\": \"" + engines.url("")));
    setenv("XDG_CONFIG_HOME", dir.file("config").c_str(), 1);
    const std::string doc = dir.file("fox.qxo");
    ASSERT_EQ(cli(dir, {"new", doc}).code, 0);
    const Outcome searched = cli(dir, {"search", doc, "--max", "10", "fox"});
    const Outcome listed = cli(dir, {"engines"});
    const Outcome tried = cli(dir, {"engines", "--try", "4", "--max", "2", "fox"});
    const Outcome failed = cli(dir, {"engines", "--try", "8", "fox"});
    unsetenv("XDG_CONFIG_HOME");

    EXPECT_EQ(searched.code, 0) << searched.err;
    for (const char* line : {"Wikipedia\tfound 3\tadded 3\t\n", "Hacker News\tfound 2\tadded 2\t\n",
                             "arXiv\tfound 2\tadded 2\t\n", "Crossref\tfound 2\tadded 2\t\n",
                             "Stack Overflow\tfound 2\tadded 2\t\n", "GitHub\tfound 2\tadded 2\t\n",
                             "Open Library\tfound 3\tadded 3\t\n", "DuckDuckGo\tfound 2\t"})
        EXPECT_NE(searched.out.find(line), std::string::npos) << line << "\n" << searched.out;
    // Yahoo's results page is not served here: its record says so, the others count.
    EXPECT_NE(searched.out.find("Yahoo\tfound 0\tadded 0\t"), std::string::npos);
    const Outcome dumped = cli(dir, {"dump", doc});
    for (const char* text :
         {"https://en.wikipedia.org/wiki/Red%20fox", "Fox & Hounds (pub)",
          "https://github.com/example/fox-rs", "http://arxiv.org/abs/2401.01234v2",
          "Diet of the red fox Vulpes vulpes in suburbs", "https://doi.org/10.5555/fox.2021.7",
          "Why does the \"fox\" jump over the lazy dog?", "https://github.com/vulpes/fox",
          "https://openlibrary.org/works/OL45804W", "https://www.fox.example/news?a=1&b=2"})
        EXPECT_NE(dumped.out.find(text), std::string::npos) << text << "\n" << dumped.out;

    EXPECT_EQ(listed.code, 0) << listed.err;
    for (const char* line :
         {" 4  Wikipedia      json", " 9  Hacker News    json", "10  arXiv          feed",
          "15  DuckDuckGo     html", " 6  Yahoo          html", " 1  Aport          no definition"})
        EXPECT_NE(listed.out.find(line), std::string::npos) << line << "\n" << listed.out;

    EXPECT_EQ(tried.code, 0) << tried.err;
    EXPECT_EQ(tried.out,
              "Red fox\thttps://en.wikipedia.org/wiki/Red%20fox\t2024-11-02\n"
              "Fox & Hounds (pub)\t"
              "https://en.wikipedia.org/wiki/Fox%20%26%20Hounds%20%28pub%29\t2023-06-19\n"
              "total 4127\n");
    EXPECT_EQ(failed.code, 1);
    EXPECT_EQ(failed.out, "error 536870913: There is no definition for this search engine.\n");
}

// qxseek-cli check against nginx on a few hundred references: the summary,
// the list, the saved marks, a path, and the exit codes.
TEST(Cli, CheckMarksAndSavesAFewHundredReferences) {
    if (!test::NginxServer::Available()) {
        if (std::getenv("CI"))
            FAIL() << test::NginxServer::kBinary << " is missing (install nginx-light)";
        GTEST_SKIP() << test::NginxServer::kBinary << " is missing (install nginx-light)";
    }
    constexpr long kFileTime = 1700000000;
    test::NginxServer nginx;
    ASSERT_TRUE(nginx.Running());
    test::TempDir dir;
    const std::string path = dir.file("refs.qxo");
    {
        DDoc doc;
        platform::SystemTime date;
        platform::fileTimeToSystemTime(platform::fileTimeFromUnix(kFileTime), date);
        Ref& a = doc.createfolder(Str("a"), doc.orgroot(), nullptr);
        Ref& b = doc.createfolder(Str("b"), doc.orgroot(), nullptr);
        for (int i = 0; i < 300; ++i) {
            const std::string name = "/p" + std::to_string(i) + ".html";
            if (i < 250)
                nginx.Put(name, "<html></html>", kFileTime);
            const std::string url = nginx.Url(i < 290 ? name : "/fails?" + std::to_string(i));
            ObjectProp props;
            props.url = Str(url);
            props.modified = date;
            auto* page = static_cast<Object*>(doc.container().add(std::make_unique<Object>(props)));
            doc.settarget(*doc.filedomainnode(url), page);
            doc.createresult(page, nullptr, i % 10 ? a : b, nullptr, false);
        }
        ASSERT_EQ(saveDocument(path, doc), 0);
    }

    Outcome all = cli(dir, {"check", path, "--jobs", "8"});
    ASSERT_EQ(all.code, 0) << all.err;
    EXPECT_EQ(all.out, "unchanged 250\tchanged 0\tnot found 40\terror 10\tskipped 0\n");
    EXPECT_EQ(all.err, "");
    DDoc doc;
    ASSERT_EQ(loadDocument(path, doc), 0);
    EXPECT_EQ(doc.finddomainnode(nginx.Url("/p0.html"))->flags() & Ref::kCheckState,
              Ref::CheckUnchanged);
    const Ref* missing = doc.finddomainnode(nginx.Url("/p260.html"));
    EXPECT_EQ(missing->flags() & Ref::kCheckState, Ref::CheckNotFound);
    EXPECT_EQ(missing->target()->props().status.view(), "Not found (404)");

    Outcome listed = cli(dir, {"check", path, "--list", "--per-host", "2", "b"});
    ASSERT_EQ(listed.code, 0) << listed.err;
    EXPECT_EQ(lines(listed.out), 31u);
    EXPECT_NE(listed.out.find("not found\t" + nginx.Url("/p260.html") + "\tNot found (404)\n"),
              std::string::npos);
    EXPECT_NE(listed.out.find("unchanged 25\tchanged 0\tnot found 4\terror 1\tskipped 0\n"),
              std::string::npos);

    EXPECT_EQ(cli(dir, {"check", path, "a/none"}).code, 1);
    EXPECT_EQ(cli(dir, {"check", path, "--jobs", "0"}).code, 2);
    EXPECT_EQ(cli(dir, {"check", dir.file("absent.qxo")}).code, 1);
}

} // namespace
} // namespace qx
