#include "exchange/BrowserProfiles.h"

#include "platform/FileSystem.h"
#include "settings/IniFile.h"

#include <nlohmann/json.hpp>

#include <array>
#include <string_view>

namespace qx {

namespace {

// Small files of the browsers' own: a larger one is not theirs.
constexpr std::size_t kMaxListFile = 4 << 20;

enum Base { Config, Home };

struct Place {
    std::string_view browser;
    Base base;
    std::string_view folder;
    std::string_view package;
};

constexpr std::string_view kFlatpak = " (Flatpak)";
constexpr std::string_view kSnap = " (Snap)";

// Where each browser keeps its user data folder (Chromium family) or its
// profiles.ini (Firefox family).
constexpr std::array<Place, 12> kChromiumPlaces{{
    {"Chromium", Config, "chromium", ""},
    {"Chromium", Home, ".var/app/org.chromium.Chromium/config/chromium", kFlatpak},
    {"Chromium", Home, "snap/chromium/common/chromium", kSnap},
    {"Google Chrome", Config, "google-chrome", ""},
    {"Google Chrome", Home, ".var/app/com.google.Chrome/config/google-chrome", kFlatpak},
    {"Brave", Config, "BraveSoftware/Brave-Browser", ""},
    {"Brave", Home, ".var/app/com.brave.Browser/config/BraveSoftware/Brave-Browser", kFlatpak},
    {"Brave", Home, "snap/brave/current/.config/BraveSoftware/Brave-Browser", kSnap},
    {"Vivaldi", Config, "vivaldi", ""},
    {"Vivaldi", Home, ".var/app/com.vivaldi.Vivaldi/config/vivaldi", kFlatpak},
    {"Microsoft Edge", Config, "microsoft-edge", ""},
    {"Microsoft Edge", Home, ".var/app/com.microsoft.Edge/config/microsoft-edge", kFlatpak},
}};

constexpr std::array<Place, 5> kFirefoxPlaces{{
    {"Firefox", Home, ".mozilla/firefox", ""},
    {"Firefox", Home, ".var/app/org.mozilla.firefox/.mozilla/firefox", kFlatpak},
    {"Firefox", Home, "snap/firefox/common/.mozilla/firefox", kSnap},
    {"LibreWolf", Home, ".librewolf", ""},
    {"LibreWolf", Home, ".var/app/io.gitlab.librewolf-community/.librewolf", kFlatpak},
}};

std::string folderof(const Place& place, const std::string& home, const std::string& config) {
    return (place.base == Config ? config : home) + "/" + std::string(place.folder);
}

// The names Chromium shows for the profile folders of a user data folder:
// profile.info_cache in its "Local State". Empty when it says nothing.
nlohmann::json infocache(const std::string& folder) {
    std::string bytes;
    if (platform::readWholeFile(folder + "/Local State", kMaxListFile, bytes) != 0)
        return {};
    nlohmann::json state = nlohmann::json::parse(bytes, nullptr, false);
    if (!state.is_object())
        return {};
    const auto profile = state.find("profile");
    if (profile == state.end() || !profile->is_object())
        return {};
    const auto cache = profile->find("info_cache");
    return cache != profile->end() && cache->is_object() ? *cache : nlohmann::json();
}

void addchromium(const Place& place, const std::string& folder,
                 std::vector<BrowserProfile>& found) {
    const nlohmann::json names = infocache(folder);
    for (const std::string& sub : platform::subfolders(folder)) {
        const std::string path = folder + "/" + sub;
        // Every profile folder has its Preferences from the first start on;
        // Bookmarks comes with the first bookmark.
        if (!platform::isRegularFile(path + "/Preferences") &&
            !platform::isRegularFile(path + "/Bookmarks"))
            continue;
        BrowserProfile profile;
        profile.store = BrowserProfile::Chromium;
        profile.browser = std::string(place.browser) + std::string(place.package);
        profile.name = sub;
        if (const auto entry = names.find(sub); entry != names.end() && entry->is_object()) {
            const auto name = entry->find("name");
            if (name != entry->end() && name->is_string() &&
                !name->get_ref<const std::string&>().empty())
                profile.name = name->get<std::string>();
        }
        profile.file = path + "/Bookmarks";
        found.push_back(std::move(profile));
    }
}

void addfirefox(const Place& place, const std::string& folder, std::vector<BrowserProfile>& found) {
    std::string bytes;
    if (platform::readWholeFile(folder + "/profiles.ini", kMaxListFile, bytes) != 0 ||
        bytes.empty())
        return;
    const IniFile ini = IniFile::parse(bytes);
    // Sections Profile0, Profile1 ... as Firefox numbers them; a gap left by
    // a hand-edited file does not hide the ones after it.
    constexpr int kMaxProfiles = 256;
    for (int i = 0; i < kMaxProfiles; ++i) {
        const std::string section = "Profile" + std::to_string(i);
        const auto path = ini.find(section, "Path");
        if (!path || path->empty())
            continue;
        const auto relative = ini.find(section, "IsRelative");
        const std::string where =
            relative && *relative == "0" ? std::string(*path) : folder + "/" + std::string(*path);
        if (!platform::isFolder(where))
            continue;
        BrowserProfile profile;
        profile.store = BrowserProfile::Firefox;
        const auto name = ini.find(section, "Name");
        profile.name = name && !name->empty() ? std::string(*name) : std::string(*path);
        // Debian's Firefox ESR shares the folder and names its profile so.
        const bool esr = place.browser == "Firefox" && profile.name.ends_with("-esr");
        profile.browser =
            std::string(place.browser) + (esr ? " ESR" : "") + std::string(place.package);
        profile.file = where + "/places.sqlite";
        found.push_back(std::move(profile));
    }
}

} // namespace

std::vector<BrowserProfile> BrowserProfiles::find(const std::string& home,
                                                  const std::string& config) {
    const std::string configfolder = config.empty() ? home + "/.config" : config;
    std::vector<BrowserProfile> found;
    for (const Place& place : kChromiumPlaces)
        addchromium(place, folderof(place, home, configfolder), found);
    for (const Place& place : kFirefoxPlaces)
        addfirefox(place, folderof(place, home, configfolder), found);
    return found;
}

} // namespace qx
