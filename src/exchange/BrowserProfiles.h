#pragma once

#include <string>
#include <vector>

namespace qx {

// A browser profile found on this machine, or named by the user.
struct BrowserProfile {
    enum Store { Chromium, Firefox };
    Store store = Chromium;
    // "Chromium", "Google Chrome", "Brave", "Vivaldi", "Microsoft Edge",
    // "Firefox", "Firefox ESR", "LibreWolf"; with " (Flatpak)" or " (Snap)".
    std::string browser;
    // The name the browser shows for it.
    std::string name;
    // The file the bookmarks are in: "Bookmarks" or "places.sqlite".
    std::string file;
};

// Finds the profiles of the browsers people use on Linux where they keep
// them: the Chromium family under the configuration folder, the Firefox
// family under ~/.mozilla and ~/.librewolf (their profiles.ini), each also as
// Flatpak (~/.var/app) and Snap (~/snap) packages install them. A profile is
// listed when its folder is there, whether or not it holds bookmarks yet.
class BrowserProfiles {
public:
    // home: the user's home folder; config: $XDG_CONFIG_HOME, or empty for
    // home/.config. Both are given, not read here, so that tests can point
    // them anywhere.
    static std::vector<BrowserProfile> find(const std::string& home, const std::string& config);
};

} // namespace qx
