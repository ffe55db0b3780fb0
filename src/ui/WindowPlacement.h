#pragma once

#include <optional>

namespace qx {
class ApplicationProfile;
}

namespace qx::ui {

// The main window's place on the screen, kept in section "Window".
struct WindowPlacement {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    bool zoom = false; // the window was maximised
    bool operator==(const WindowPlacement&) const = default;

    // Nothing when the section does not hold a complete placement.
    static std::optional<WindowPlacement> load(const ApplicationProfile& profile);
    void save(ApplicationProfile& profile) const;
};

} // namespace qx::ui
