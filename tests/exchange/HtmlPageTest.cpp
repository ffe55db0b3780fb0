#include "exchange/HtmlPage.h"
#include "ExchangeTestSupport.h"
#include "TempDir.h"
#include "lang/Language.h"
#include "stream/mwstream.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

namespace qx {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

class HtmlPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string code = "enu";
        ASSERT_EQ(language_.load(code), 0u);
        ASSERT_FALSE(language_.resource("Norba", "ABITMAP").empty());
    }

    // A page of a folder with a hostile title and address, and a reference
    // with a Cyrillic title in windows-1251.
    std::string writepage(const std::string& bannerfolder) {
        Ref& folder = d_.folder("Folder & <Co>");
        d_.reference("<script>alert(1)</script>", "https://example.org/a?x=\"1\"&y=2", &folder);
        d_.reference("\xCF\xF0\xE8\xE2\xE5\xF2", "https://example.org/ru", nullptr, 1);
        d_.reference("", "https://example.org/untitled");
        HtmlPage page(language_, bannerfolder);
        const std::string path = dir_.file("page.html");
        EXPECT_EQ(page.WriteHtmlPage(path, d_.toplevel()), 0u);
        return path;
    }

    TempDir dir_;
    Language language_{std::getenv("QX_PROGRAM_DIR")};
    test::ExchangeDoc d_;
};

TEST_F(HtmlPageTest, PageLayoutWithEveryTextEscapedAndInUtf8) {
    const std::string banner = dir_.file("program");
    fs::create_directory(banner);
    const std::string page = TempDir::read(writepage(banner));
    const std::string head = "<HTML>\r\n<HEAD>\r\n"
                             "<META HTTP-EQUIV=Content-Type CONTENT=\"text/html; charset=utf-8\">"
                             "<TITLE>\r\n" +
                             language_.text(9200) +
                             "\r\n</TITLE>\r\n<STYLE>DL DL{margin-left:2em}</STYLE>\r\n"
                             "</HEAD>\r\n<BODY>\r\n<CENTER>\r\n"
                             "<A HREF=" +
                             language_.text(9292) +
                             "><IMG SRC=" + HtmlPage::fileurl(banner + "/norba.gif") +
                             " BORDER=0></A><P>\r\n</P>\r\n";
    EXPECT_EQ(page.substr(0, head.size()), head);
    EXPECT_NE(page.find("<DL>\r\n<DT>\r\nFolder &amp; &lt;Co&gt;\r\n</DT>\r\n<DL>\r\n<DT>\r\n"
                        "&lt;script&gt;alert(1)&lt;/script&gt;\r\n</DT>\r\n<DD>\r\n"
                        "<A HREF=\"https://example.org/a?x=&quot;1&quot;&amp;y=2\"><FONT SIZE=-1>"
                        "https://example.org/a?x=&quot;1&quot;&amp;y=2</FONT></A>\r\n</DD>\r\n"
                        "</DL>\r\n</DL>\r\n"),
              std::string::npos);
    EXPECT_NE(page.find("<DT>\r\nПривет\r\n</DT>"), std::string::npos);
    // No title: only the address line.
    EXPECT_NE(page.find("<DL>\r\n<DD>\r\n<A HREF=https://example.org/untitled>"),
              std::string::npos);
    EXPECT_EQ(page.substr(page.size() - 18), "</BODY>\r\n</HTML>\r\n");
    EXPECT_EQ(TempDir::read(banner + "/norba.gif"), language_.resource("Norba", "ABITMAP"));
}

TEST_F(HtmlPageTest, BannerGoesBesideThePageWhenTheProgramFolderIsClosed) {
    // A folder nobody can write into, root included: its parent is a file.
    const std::string closed = dir_.write("file", "x") + "/program";
    const std::string page = TempDir::read(writepage(closed));
    EXPECT_NE(page.find("<IMG SRC=" + HtmlPage::fileurl(dir_.file("norba.gif"))),
              std::string::npos);
    EXPECT_EQ(TempDir::read(dir_.file("norba.gif")), language_.resource("Norba", "ABITMAP"));
}

TEST_F(HtmlPageTest, ScriptAddressIsShownButNotLinkedAndHiddenNodesLeftOut) {
    d_.reference("Run me", "javascript:alert(1)");
    d_.reference("Secret", "https://example.org/secret").addflags(Ref::Hidden);
    mwstream out;
    HtmlPage page(language_, dir_.path());
    for (const Ref* node : d_.toplevel())
        page.WriteHtmlNode(out, *node);
    const std::string text(out.buffer().data(), static_cast<std::size_t>(out.buffer().size()));
    EXPECT_EQ(text, "<DL>\r\n<DT>\r\nRun me\r\n</DT>\r\n<DD>\r\n<FONT SIZE=-1>javascript:alert(1)"
                    "</FONT>\r\n</DD>\r\n</DL>\r\n");
}

TEST_F(HtmlPageTest, UnwritableTargetGivesAnErrorAndNoPage) {
    HtmlPage page(language_, dir_.path());
    EXPECT_NE(page.WriteHtmlPage(dir_.file("missing/page.html"), d_.toplevel()), 0u);
    EXPECT_FALSE(fs::exists(dir_.file("missing")));
}

TEST(HtmlPage, FileAddressesEncodeWhatAnAddressCannotHold) {
    EXPECT_EQ(HtmlPage::fileurl("/a b/c#d%e?.gif"), "file:///a%20b/c%23d%25e%3F.gif");
    EXPECT_EQ(HtmlPage::fileurl("/Ж"), "file:///%D0%96");
}

// The DOM a real browser builds from the page.
std::string browserdom(const std::string& path, const std::string& profile) {
    const std::string command = "timeout 120 chromium --headless --no-sandbox --disable-gpu "
                                "--user-data-dir='" +
                                profile + "' --dump-dom 'file://" + path + "' 2>/dev/null";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string dom;
    std::array<char, 4096> buffer{};
    while (pipe && std::fgets(buffer.data(), buffer.size(), pipe.get()))
        dom += buffer.data();
    return dom;
}

TEST_F(HtmlPageTest, ChromiumShowsTheListsTheLinksAndTheScriptTitleAsText) {
    if (std::system("command -v chromium >/dev/null 2>&1") != 0) {
        if (std::getenv("CI"))
            FAIL() << "chromium is missing (tools/bootstrap installs it)";
        GTEST_SKIP() << "chromium is not installed";
    }
    const std::string path = writepage(dir_.path());
    const std::string dom = browserdom(path, dir_.file("chromium-profile"));
    ASSERT_NE(dom.find("<body>"), std::string::npos) << dom;
    EXPECT_EQ(dom.find("<script"), std::string::npos) << dom;
    EXPECT_NE(dom.find("<dt>\n&lt;script&gt;alert(1)&lt;/script&gt;\n</dt>"), std::string::npos)
        << dom;
    EXPECT_NE(dom.find("<dl>\n<dt>\nFolder &amp; &lt;Co&gt;\n</dt>\n<dl>"), std::string::npos)
        << dom;
    EXPECT_NE(dom.find("<dd>\n<a href=\"https://example.org/a?x=&quot;1&quot;&amp;y=2\">"
                       "<font size=\"-1\">https://example.org/a?x=\"1\"&amp;y=2</font></a>"),
              std::string::npos)
        << dom;
    EXPECT_NE(dom.find("<dt>\nПривет\n</dt>"), std::string::npos) << dom;
    EXPECT_NE(dom.find("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">"),
              std::string::npos)
        << dom;

    // The folder's list stands indented inside the page's: the page with a
    // probe that writes down how far the browser moved it.
    std::string page = TempDir::read(path);
    const std::size_t end = page.find("</BODY>");
    ASSERT_NE(end, std::string::npos);
    page.insert(end, "<script>const l = document.querySelectorAll('dl');"
                     "document.body.setAttribute('data-indent', String(Math.round("
                     "l[1].getBoundingClientRect().left - l[0].getBoundingClientRect().left)));"
                     "</script>");
    const std::string probe = dir_.write("probe.html", page);
    const std::string measured = browserdom(probe, dir_.file("chromium-profile"));
    const std::size_t at = measured.find("data-indent=\"");
    ASSERT_NE(at, std::string::npos) << measured;
    EXPECT_GT(std::atoi(measured.c_str() + at + 13), 10) << measured.substr(at, 20);
}

} // namespace
} // namespace qx
