#pragma once

#include <string>

namespace qx {

class ApplicationProfile;

// Values that the program would take from the system's registry on its first
// platform, kept in the settings file here.
class PlatformSettings {
public:
    // The browser favourites folder of the shortcut export: "Options"/"Favorites",
    // by default the folder "Favorites" in the user's home folder.
    static std::string favoritesFolder(const ApplicationProfile& profile, const char* home);
    static void setFavoritesFolder(ApplicationProfile& profile, const std::string& folder);

    // The two download addresses of the search-module update, section "Update":
    // "ModuleAddress" (the module) and "PageAddress" (its description page).
    // Empty, the default, means that no update check is made.
    static std::string moduleAddress(const ApplicationProfile& profile);
    static std::string pageAddress(const ApplicationProfile& profile);
};

} // namespace qx
