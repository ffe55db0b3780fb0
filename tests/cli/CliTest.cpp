#include "TempDir.h"

#include "model/Container.h"
#include "model/DDoc.h"
#include "model/DocumentFile.h"
#include "model/Object.h"
#include "model/RefRoot.h"
#include "model/UrlRef.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
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
         {"new", "dump", "file", "add", "convert", "merge", "stats", "export-html",
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

} // namespace
} // namespace qx
