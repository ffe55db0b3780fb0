#pragma once

#include <string>

namespace qx::app {

// Whether the program can open its window at all. Qt ends a program that has
// no display with an abort; the program says what is missing instead.
class DisplayCheck {
public:
    struct Environment {
        const char* platform = nullptr; // QT_QPA_PLATFORM
        const char* display = nullptr;  // DISPLAY
        const char* wayland = nullptr;  // WAYLAND_DISPLAY
        bool platformArgument = false;  // "-platform" on the command line
    };

    // The one line to print when there is no display; empty when there is one
    // (or a platform was chosen, which Qt then answers for).
    static std::string problem(const Environment& environment);
    // problem() for this process.
    static std::string problem(int argc, char** argv);
};

} // namespace qx::app
