#include "ui/WindowPlacement.h"

#include "settings/ApplicationProfile.h"

#include <climits>
#include <string>

namespace qx::ui {

namespace {
constexpr const char* kSection = "Window";
constexpr int kMissing = INT_MIN;
} // namespace

std::optional<WindowPlacement> WindowPlacement::load(const ApplicationProfile& profile) {
    WindowPlacement p;
    p.x = profile.readInt(kSection, "X", kMissing);
    p.y = profile.readInt(kSection, "Y", kMissing);
    p.w = profile.readInt(kSection, "W", kMissing);
    p.h = profile.readInt(kSection, "H", kMissing);
    p.zoom = profile.readInt(kSection, "Zoom", 0) != 0;
    if (p.x == kMissing || p.y == kMissing || p.w <= 0 || p.h <= 0)
        return std::nullopt;
    return p;
}

void WindowPlacement::save(ApplicationProfile& profile) const {
    profile.writeStrings(kSection, {{"X", std::to_string(x)},
                                    {"Y", std::to_string(y)},
                                    {"W", std::to_string(w)},
                                    {"H", std::to_string(h)},
                                    {"Zoom", zoom ? "1" : "0"}});
}

} // namespace qx::ui
