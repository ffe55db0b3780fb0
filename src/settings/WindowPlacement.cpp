#include "settings/WindowPlacement.h"

#include "settings/ApplicationProfile.h"

#include <string>

namespace qx {

namespace {
constexpr const char* kSection = "Window";
}

void WindowPlacement::load(const ApplicationProfile& profile) {
    x = profile.readInt(kSection, "X", x);
    y = profile.readInt(kSection, "Y", y);
    w = profile.readInt(kSection, "W", w);
    h = profile.readInt(kSection, "H", h);
    zoom = profile.readInt(kSection, "Zoom", zoom ? 1 : 0) != 0;
}

bool WindowPlacement::save(ApplicationProfile& profile) const {
    return profile.writeStrings(kSection, {{"X", std::to_string(x)},
                                           {"Y", std::to_string(y)},
                                           {"W", std::to_string(w)},
                                           {"H", std::to_string(h)},
                                           {"Zoom", zoom ? "1" : "0"}});
}

} // namespace qx
