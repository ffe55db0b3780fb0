#include "settings/PlatformSettings.h"

#include "settings/ApplicationProfile.h"

namespace qx {

std::string PlatformSettings::favoritesFolder(const ApplicationProfile& profile, const char* home) {
    return profile.readString("Options", "Favorites", std::string(home ? home : "") + "/Favorites");
}

void PlatformSettings::setFavoritesFolder(ApplicationProfile& profile, const std::string& folder) {
    profile.writeString("Options", "Favorites", folder);
}

std::string PlatformSettings::moduleAddress(const ApplicationProfile& profile) {
    return profile.readString("Update", "ModuleAddress", "");
}

std::string PlatformSettings::pageAddress(const ApplicationProfile& profile) {
    return profile.readString("Update", "PageAddress", "");
}

} // namespace qx
