#include "ExchangeTestSupport.h"
#include "FirefoxRun.h"
#include "TempDir.h"
#include "exchange/BrowserImport.h"
#include "exchange/OrganizerPath.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace qx {
namespace {

using test::ExchangeDoc;

const char kBookmarks[] = R"BM(<!DOCTYPE NETSCAPE-Bookmark-file-1>
<META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=UTF-8">
<TITLE>Bookmarks</TITLE>
<H1>Bookmarks Menu</H1>
<DL><p>
    <DT><H3 ADD_DATE="1600000000">Работа</H3>
    <DL><p>
        <DT><A HREF="https://example.org/one" ADD_DATE="1600000001">One &amp; only</A>
        <DT><A HREF="javascript:void(0)" ADD_DATE="1600000002">Bookmarklet</A>
        <HR>
        <DT><H3>Inner</H3>
        <DL><p>
            <DT><A HREF="https://example.org/two" ADD_DATE="1700000000">Two</A>
        </DL><p>
    </DL><p>
    <DT><A HREF="https://example.com/top" ADD_DATE="1600000003">Top</A>
</DL><p>
)BM";

void expectbookmarks(DDoc& doc, const std::string& folder) {
    const std::string menu = folder + "/Bookmarks Menu/";
    const Ref* one = OrganizerPath::find(doc, menu + "Работа/One & only");
    ASSERT_NE(one, nullptr);
    EXPECT_EQ(one->target()->props().url.view(), "https://example.org/one");
    const platform::SystemTime& date = one->target()->props().modified;
    EXPECT_EQ(date.year, 2020);
    EXPECT_EQ(date.month, 9);
    EXPECT_EQ(date.day, 13);
    EXPECT_EQ(date.hour, 12);
    EXPECT_EQ(date.minute, 26);
    EXPECT_EQ(date.second, 41);
    const Ref* two = OrganizerPath::find(doc, menu + "Работа/Inner/Two");
    ASSERT_NE(two, nullptr);
    EXPECT_EQ(two->target()->props().modified.year, 2023);
    ASSERT_NE(OrganizerPath::find(doc, menu + "Top"), nullptr);
    const Ref* work = OrganizerPath::find(doc, menu + "Работа");
    EXPECT_EQ(work->count(), 2u);
}

// Firefox makes the profile; we read it while it runs (its lock held, its
// newest writes in the log) and again after it ended by itself.
TEST(FirefoxProfile, ARealProfileImportsWhileTheBrowserRunsAndAfterItEnded) {
    if (!test::FirefoxRun::Available()) {
        if (std::getenv("QX_CI") || std::getenv("CI"))
            FAIL() << "firefox-esr is missing (tools/bootstrap installs it)";
        GTEST_SKIP() << "firefox-esr is not installed";
    }
    test::TempDir dir;
    const std::string profile = dir.file("home/.mozilla/firefox/test.default-esr");
    test::FirefoxRun firefox(dir.file("home"), profile, kBookmarks, 20);

    ExchangeDoc d;
    BrowserImport running;
    bool locked = false;
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    while (firefox.Running() && std::chrono::steady_clock::now() < until) {
        // The profile's lock tells that the browser has it open.
        locked = std::filesystem::is_symlink(profile + "/lock");
        if (locked && running.read(profile, {}) == BrowserImport::Ok &&
            running.tree().bookmarks() == 3)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
    }
    ASSERT_TRUE(firefox.Running()) << "the browser ended before its bookmarks could be read\n"
                                   << firefox.Log();
    ASSERT_TRUE(locked);
    ASSERT_EQ(running.tree().bookmarks(), 3u) << running.message() << "\n" << firefox.Log();
    EXPECT_EQ(running.foldername(), "Firefox: test.default-esr");
    ASSERT_TRUE(running.place(d.doc));
    EXPECT_EQ(running.added(), 3u);
    EXPECT_EQ(running.skipped(), 1u);
    expectbookmarks(d.doc, running.foldername());

    ASSERT_TRUE(firefox.WaitForExit(120)) << "the browser did not end by itself";
    // Named as the profile list would name it: another folder.
    BrowserImport ended;
    ASSERT_EQ(ended.read(profile, {{BrowserProfile::Firefox, "Firefox ESR", "default-esr",
                                    profile + "/places.sqlite"}}),
              BrowserImport::Ok)
        << ended.message();
    ended.place(d.doc);
    EXPECT_EQ(ended.added(), 3u);
    expectbookmarks(d.doc, "Firefox ESR: default-esr");
    // The same profile again adds nothing.
    BrowserImport again;
    ASSERT_EQ(again.read(profile, {}), BrowserImport::Ok);
    again.place(d.doc);
    EXPECT_EQ(again.added(), 0u);
    EXPECT_EQ(again.present(), 3u);
}

} // namespace
} // namespace qx
