#include "exchange/FavoritesExport.h"
#include "ExchangeTestSupport.h"
#include "RecordingMessageBoxer.h"
#include "TempDir.h"
#include "lang/Language.h"
#include "settings/ApplicationProfile.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <sys/resource.h>

namespace qx {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

const char kShortcut[] = "[InternetShortcut]\r\nURL=https://example.org/a\r\n";

TEST(FavoritesExport, FileNamesStayInsideTheirFolder) {
    EXPECT_EQ(FavoritesExport::filename("a/b:c?", ".url"), "a_b_c_.url");
    EXPECT_EQ(FavoritesExport::filename("*<x>\\"), "__x__");
    EXPECT_EQ(FavoritesExport::filename(std::string("a\0b", 3)), "a_b");
    for (const char* name : {"", ".", ".."})
        EXPECT_EQ(FavoritesExport::filename(name), "_") << name;
    EXPECT_EQ(FavoritesExport::filename("...", ".url"), "....url");
    // Cut at 255 bytes, never inside a UTF-8 sequence.
    const std::string cyrillic(200, 'x');
    const std::string name =
        FavoritesExport::filename(cyrillic + "ЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖ", ".url");
    EXPECT_LE(name.size(), 255u);
    EXPECT_EQ(name.size(), 200u + 2 * 25 + 4);
    EXPECT_EQ(name.substr(name.size() - 6), "Ж.url");
}

TEST(FavoritesExport, ShortcutHoldsOnlyItsOneAddress) {
    EXPECT_EQ(FavoritesExport::shortcut("https://example.org/a"), kShortcut);
    EXPECT_EQ(FavoritesExport::shortcut("https://example.org/a\r\nIconFile=x"), kShortcut);
}

TEST(FavoritesExport, FoldersHoldTheirChildrenAndPagesWithChildrenSitBeside) {
    TempDir dir;
    test::ExchangeDoc d;
    Ref& news = d.folder("News");
    d.reference("a/b:c?", "https://example.org/a", &news);
    Ref& both = d.reference("Both", "https://example.org/both", &news);
    d.reference("Child", "https://example.org/child", &both);
    d.reference("Hidden", "https://example.org/hidden", &news).addflags(Ref::Hidden);
    Ref& empty = d.folder("Empty");
    (void)empty;
    FavoritesExport shortcuts;
    for (const Ref* node : d.toplevel())
        ASSERT_EQ(shortcuts.ExportNodeToFolder(dir.path(), *node), 0u);
    EXPECT_EQ(TempDir::read(dir.file("News/a_b_c_.url")), kShortcut);
    EXPECT_TRUE(fs::is_regular_file(dir.file("News/Both.url")));
    EXPECT_TRUE(fs::is_regular_file(dir.file("News/Both/Child.url")));
    EXPECT_FALSE(fs::exists(dir.file("News/Hidden.url")));
    // A folder with nothing to write is not made.
    EXPECT_FALSE(fs::exists(dir.file("Empty")));
}

TEST(FavoritesExport, ExistingFolderIsReusedAndFileOverwritten) {
    TempDir dir;
    fs::create_directory(dir.file("News"));
    dir.write("News/Page.url", std::string(500, 'x'));
    test::ExchangeDoc d;
    d.reference("Page", "https://example.org/a", &d.folder("News"));
    FavoritesExport shortcuts;
    ASSERT_EQ(shortcuts.ExportNodeToFolder(dir.path(), *d.toplevel()[0]), 0u);
    EXPECT_EQ(TempDir::read(dir.file("News/Page.url")), kShortcut);
}

TEST(FavoritesExport, TitlesInTheirCharsetBecomeUtf8Names) {
    TempDir dir;
    test::ExchangeDoc d;
    d.reference("\xCF\xF0\xE8\xE2\xE5\xF2", "https://example.org/a", nullptr, 1);
    FavoritesExport shortcuts;
    ASSERT_EQ(shortcuts.ExportNodeToFolder(dir.path(), *d.toplevel()[0]), 0u);
    // The label carries the charset's name after the title.
    ASSERT_FALSE(fs::is_empty(dir.path()));
    const std::string name = fs::directory_iterator(dir.path())->path().filename().string();
    EXPECT_EQ(name.substr(0, 13), "Привет ") << name;
}

TEST(FavoritesExport, FirstFailureStopsTheRunAndIsShown) {
    TempDir dir;
    // A folder that cannot be made, even by root: its parent is a file.
    const std::string favorites = dir.write("file", "x") + "/Favorites";
    ApplicationProfile profile(dir.file("qxseek.INI"));
    profile.writeString("Options", "Favorites", favorites);
    test::ExchangeDoc d;
    d.reference("One", "https://example.org/1");
    d.reference("Two", "https://example.org/2");
    Language language(std::getenv("QX_PROGRAM_DIR"));
    std::string code = "enu";
    ASSERT_EQ(language.load(code), 0u);
    test::RecordingMessageBoxer boxes;
    FavoritesExport shortcuts;
    EXPECT_EQ(shortcuts.ExportToFavorites(favorites, d.toplevel(), language, boxes),
              platform::err::PathNotFound);
    EXPECT_EQ(shortcuts.written(), 0u);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].caption, language.text(9212));
    EXPECT_EQ(boxes.boxes()[0].text, language.errorText(3));
    EXPECT_EQ(boxes.boxes()[0].style, mb::TaskModal);
}

// A device that takes only part of the file: the file size limit stands in
// for a full disk.
TEST(FavoritesExport, FileCutShortIsRemovedAndReportedAsDiskFull) {
    TempDir dir;
    test::ExchangeDoc d;
    d.reference("Page", "https://example.org/a");
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 10;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    FavoritesExport shortcuts;
    const platform::SysError result = shortcuts.ExportNodeToFolder(dir.path(), *d.toplevel()[0]);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, handler);
    EXPECT_EQ(result, platform::err::DiskFull);
    EXPECT_FALSE(fs::exists(dir.file("Page.url")));
}

} // namespace
} // namespace qx
