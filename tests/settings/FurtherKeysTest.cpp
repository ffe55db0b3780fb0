#include "settings/ApplicationProfile.h"
#include "settings/PlatformSettings.h"
#include "settings/RecentFiles.h"
#include "settings/SearchSettings.h"
#include "settings/Separators.h"
#include "settings/SettingsLocation.h"
#include "settings/WindowPlacement.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace qx {
namespace {

using test::TempDir;

class FurtherKeys : public ::testing::Test {
protected:
    TempDir dir;
    ApplicationProfile profile{dir.file("qxseek.INI")};
};

TEST_F(FurtherKeys, RecentFilesKeepNineMostRecentFirst) {
    RecentFiles mru(profile);
    EXPECT_EQ(profile.readInt("MRU", "Count", 0), 9);
    EXPECT_TRUE(mru.entries().empty());
    for (int i = 1; i <= 10; ++i)
        mru.add("/docs/" + std::to_string(i) + ".qxo");
    std::vector<std::string> list = mru.entries();
    ASSERT_EQ(list.size(), 9u);
    EXPECT_EQ(list.front(), "/docs/10.qxo");
    EXPECT_EQ(list.back(), "/docs/2.qxo"); // the first fell off
    EXPECT_EQ(profile.readString("MRU", "MRU0", ""), "/docs/10.qxo");

    mru.add("/docs/5.qxo"); // already listed: moves to the top, nothing is lost
    list = mru.entries();
    EXPECT_EQ(list.size(), 9u);
    EXPECT_EQ(list[0], "/docs/5.qxo");
    EXPECT_EQ(list[1], "/docs/10.qxo");
    EXPECT_EQ(list.back(), "/docs/2.qxo");

    mru.remove(0);
    EXPECT_EQ(mru.entries()[0], "/docs/10.qxo");
    EXPECT_EQ(profile.readString("MRU", "MRU8", "x"), "");
    EXPECT_EQ(mru.pathForCommand(31990), "/docs/10.qxo");
    EXPECT_EQ(mru.pathForCommand(31990 + 8), "");
    EXPECT_EQ(mru.pathForCommand(31989), "");
    mru.remove(8);
    mru.remove(-1);
    EXPECT_EQ(mru.entries().size(), 8u);
    EXPECT_EQ(RecentFiles::menuText(0, "/a b.qxo"), "&1 /a b.qxo");
}

TEST_F(FurtherKeys, SeparatorsDefaultAndClampWhenStored) {
    Separators s;
    s.load(profile);
    EXPECT_EQ(s.first, 600);
    EXPECT_EQ(s.second, 800);
    EXPECT_EQ(s.storeFirst(profile, 20), 100);
    EXPECT_EQ(s.storeFirst(profile, 2000), 900);
    EXPECT_EQ(s.storeSecond(profile, 960), 950);
    Separators back;
    back.load(profile);
    EXPECT_EQ(back.first, 900);
    EXPECT_EQ(back.second, 950);
}

TEST_F(FurtherKeys, WindowPlacementKeepsTheFramesDefaultsUntilStored) {
    WindowPlacement p{10, 20, 640, 480, false};
    p.load(profile);
    EXPECT_EQ(p.w, 640);
    p = {5, 6, 700, 500, true};
    ASSERT_TRUE(p.save(profile));
    WindowPlacement back;
    back.load(profile);
    EXPECT_EQ(back.x, 5);
    EXPECT_EQ(back.h, 500);
    EXPECT_TRUE(back.zoom);
}

TEST_F(FurtherKeys, SearchSectionLastQueryPrioritiesAndHistory) {
    EXPECT_EQ(SearchSettings::findPriority(profile), -1);
    EXPECT_EQ(SearchSettings::checkPriority(profile), -1);
    LastQuery q;
    q.query = "\"exact phrase\"";
    q.queryMode = 2;
    q.max = 1000;
    q.servers = 7;
    q.exclude = "foo";
    ASSERT_TRUE(q.save(profile));
    LastQuery back;
    back.load(profile);
    EXPECT_EQ(back.query, q.query);
    EXPECT_EQ(back.max, 1000);
    EXPECT_EQ(back.servers, 7);
    EXPECT_EQ(back.exclude, "foo");

    std::vector<std::string> history = {"\"x\",100,39,0,0,,", "y,100,39,0,0,,"};
    ASSERT_TRUE(SearchSettings::writeHistory(profile, history));
    std::vector<std::string> read;
    SearchSettings::readHistory(profile, read);
    EXPECT_EQ(read, history);
}

TEST_F(FurtherKeys, PlatformValues) {
    EXPECT_EQ(PlatformSettings::favoritesFolder(profile, "/home/u"), "/home/u/Favorites");
    EXPECT_EQ(PlatformSettings::moduleAddress(profile), "");
    profile.writeString("Update", "PageAddress", "https://example.org/qsearch.htm");
    EXPECT_EQ(PlatformSettings::pageAddress(profile), "https://example.org/qsearch.htm");
}

TEST(SettingsLocation, NameAndFolder) {
    EXPECT_EQ(SettingsLocation::iniNameFor("/opt/q/qxseek"), "/opt/q/qxseek.INI");
    EXPECT_EQ(SettingsLocation::iniNameFor("C:\\prog\\qxseek.exe"), "C:\\prog\\qxseek.INI");
    EXPECT_EQ(SettingsLocation::iniNameFor("/opt/q.d/qxseek"), "/opt/q.d/qxseek.INI");
    EXPECT_EQ(SettingsLocation::iniNameFor("a.b.c"), "a.b.INI");

    EXPECT_EQ(SettingsLocation::choose("/opt/q/qxseek", true, "/x", "/h"), "/opt/q/qxseek.INI");
    EXPECT_EQ(SettingsLocation::choose("/opt/q/qxseek", false, "/x", "/h"), "/x/qxseek/qxseek.INI");
    EXPECT_EQ(SettingsLocation::choose("/opt/q/qxseek", false, nullptr, "/h"),
              "/h/.config/qxseek/qxseek.INI");
    EXPECT_EQ(SettingsLocation::choose("/opt/q/qxseek", false, "relative", "/h"),
              "/h/.config/qxseek/qxseek.INI");

    TempDir dir;
    EXPECT_EQ(SettingsLocation::forProgram(dir.file("qxseek")), dir.file("qxseek.INI"));
    EXPECT_NE(SettingsLocation::runningExecutable().find("test_settings"), std::string::npos);
}

// A packaged program's folder is the package manager's even for root, who may
// write to it: its settings go to the user's configuration folder.
TEST(SettingsLocation, AnInstalledCopyKeepsItsSettingsInTheUsersFolder) {
    TempDir dir;
    std::filesystem::create_directories(dir.file("usr/lib/qxseek"));
    const std::string program = dir.file("usr/lib/qxseek/qxseek");
    EXPECT_FALSE(SettingsLocation::installedCopy(dir.file("usr/lib/qxseek")));
    EXPECT_EQ(SettingsLocation::forProgram(program), program + ".INI");

    std::filesystem::create_directories(dir.file("usr/share/applications"));
    dir.write("usr/share/applications/qxseek.desktop", "[Desktop Entry]\n");
    EXPECT_TRUE(SettingsLocation::installedCopy(dir.file("usr/lib/qxseek")));
    const char* config = std::getenv("XDG_CONFIG_HOME");
    EXPECT_EQ(SettingsLocation::forProgram(program),
              SettingsLocation::choose(program, false, config, std::getenv("HOME")));
}

} // namespace
} // namespace qx
