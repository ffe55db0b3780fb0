#include "exchange/BrowserProfiles.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace qx {
namespace {

// A home folder with browsers installed every way Linux has them.
class HomeFolder {
public:
    void file(const std::string& path, const std::string& bytes = "{}") {
        std::filesystem::create_directories(std::filesystem::path(dir.file(path)).parent_path());
        dir.write(path, bytes);
    }
    std::vector<std::string> found(const std::string& config = "") const {
        std::vector<std::string> lines;
        for (const BrowserProfile& p : BrowserProfiles::find(dir.path(), config)) {
            std::string file = p.file.substr(dir.path().size() + 1);
            lines.push_back(p.browser + " | " + p.name + " | " + file +
                            (p.store == BrowserProfile::Firefox ? " | places" : " | json"));
        }
        return lines;
    }

    test::TempDir dir;
};

TEST(BrowserProfiles, TheUsualFoldersPackagesAndProfileNames) {
    HomeFolder home;
    home.file(".config/chromium/Default/Preferences");
    home.file(".config/chromium/Profile 1/Bookmarks");
    home.file(".config/chromium/Local State",
              R"({"profile": {"info_cache": {"Profile 1": {"name": "Work"}, "Default": 5}}})");
    // Not profiles: a folder without Preferences or Bookmarks, a plain file.
    home.file(".config/chromium/Crash Reports/x");
    home.file(".config/chromium/Profile 2");
    home.file(".config/google-chrome/Default/Preferences");
    home.file(".config/BraveSoftware/Brave-Browser/Default/Bookmarks");
    home.file(".config/vivaldi/Default/Preferences");
    home.file(".config/microsoft-edge/Default/Preferences");
    home.file(".var/app/org.chromium.Chromium/config/chromium/Default/Preferences");
    home.file("snap/chromium/common/chromium/Default/Preferences");
    home.file(".mozilla/firefox/profiles.ini",
              "[Install4F96D1932A9F858E]\nDefault=abcd.default-esr\n\n"
              "[Profile1]\nName=default-release\nIsRelative=1\nPath=efgh.default-release\n\n"
              "[Profile0]\nName=default-esr\nIsRelative=1\nPath=abcd.default-esr\nDefault=1\n\n"
              "[Profile3]\nName=gone\nIsRelative=1\nPath=missing\n\n"
              "[Profile4]\nName=elsewhere\nIsRelative=0\nPath=" +
                  home.dir.file("elsewhere") + "\n\n[General]\nStartWithLastProfile=1\n");
    home.file(".mozilla/firefox/abcd.default-esr/places.sqlite", "");
    home.file(".mozilla/firefox/efgh.default-release/prefs.js", "");
    home.file("elsewhere/prefs.js", "");
    home.file(".librewolf/profiles.ini", "[Profile0]\nName=default\nPath=lw.default\n");
    home.file(".librewolf/lw.default/prefs.js", "");
    home.file("snap/firefox/common/.mozilla/firefox/profiles.ini",
              "[Profile0]\nName=snappy\nIsRelative=1\nPath=s.snappy\n");
    home.file("snap/firefox/common/.mozilla/firefox/s.snappy/prefs.js", "");
    EXPECT_EQ(home.found(),
              (std::vector<std::string>{
                  "Chromium | Default | .config/chromium/Default/Bookmarks | json",
                  "Chromium | Work | .config/chromium/Profile 1/Bookmarks | json",
                  "Chromium (Flatpak) | Default | "
                  ".var/app/org.chromium.Chromium/config/chromium/Default/Bookmarks | json",
                  "Chromium (Snap) | Default | snap/chromium/common/chromium/Default/Bookmarks | "
                  "json",
                  "Google Chrome | Default | .config/google-chrome/Default/Bookmarks | json",
                  "Brave | Default | .config/BraveSoftware/Brave-Browser/Default/Bookmarks | json",
                  "Vivaldi | Default | .config/vivaldi/Default/Bookmarks | json",
                  "Microsoft Edge | Default | .config/microsoft-edge/Default/Bookmarks | json",
                  "Firefox ESR | default-esr | .mozilla/firefox/abcd.default-esr/places.sqlite | "
                  "places",
                  "Firefox | default-release | "
                  ".mozilla/firefox/efgh.default-release/places.sqlite | places",
                  "Firefox | elsewhere | elsewhere/places.sqlite | places",
                  "Firefox (Snap) | snappy | "
                  "snap/firefox/common/.mozilla/firefox/s.snappy/places.sqlite | places",
                  "LibreWolf | default | .librewolf/lw.default/places.sqlite | places",
              }));
}

TEST(BrowserProfiles, TheConfigurationFolderComesFromTheCallerAndJunkListsNothing) {
    HomeFolder home;
    home.file("elsewhere/chromium/Default/Preferences");
    home.file(".config/chromium/Default/Preferences");
    home.file(".config/chromium/Local State", "{\"profile\": [1, 2");
    home.file(".mozilla/firefox/profiles.ini", std::string("\0\xFF[Profile0\nPath=\n", 18));
    home.file(".librewolf/profiles.ini", "[Profile0]\nPath=../nowhere\nIsRelative=1\n");
    const std::vector<std::string> moved = home.found(home.dir.file("elsewhere"));
    ASSERT_EQ(moved.size(), 1u);
    EXPECT_EQ(moved[0], "Chromium | Default | elsewhere/chromium/Default/Bookmarks | json");
    // A broken Local State still lists the profile by its folder's name.
    EXPECT_EQ(home.found()[0], "Chromium | Default | .config/chromium/Default/Bookmarks | json");
    EXPECT_TRUE(BrowserProfiles::find(home.dir.file("nothing"), "").empty());
}

} // namespace
} // namespace qx
