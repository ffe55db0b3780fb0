#pragma once

namespace qx {

class ApplicationProfile;

// The main window's position and size in section "Window".
struct WindowPlacement {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    bool zoom = false; // the window was maximised

    // Reads "X", "Y", "W", "H" and "Zoom", the current values being the defaults
    // (the frame's own position and size).
    void load(const ApplicationProfile& profile);
    bool save(ApplicationProfile& profile) const;
};

} // namespace qx
