#include "app/DisplayCheck.h"

#include <cstdlib>
#include <cstring>

namespace qx::app {

namespace {

bool set(const char* value) {
    return value && *value;
}

} // namespace

std::string DisplayCheck::problem(const Environment& environment) {
    if (set(environment.platform) || environment.platformArgument || set(environment.display) ||
        set(environment.wayland))
        return {};
    return "qxseek: no display to open the window on (DISPLAY and WAYLAND_DISPLAY are not set); "
           "qxseek-cli works on documents without one";
}

std::string DisplayCheck::problem(int argc, char** argv) {
    Environment environment{std::getenv("QT_QPA_PLATFORM"), std::getenv("DISPLAY"),
                            std::getenv("WAYLAND_DISPLAY"), false};
    for (int i = 1; i < argc; ++i)
        environment.platformArgument |= std::strcmp(argv[i], "-platform") == 0;
    return problem(environment);
}

} // namespace qx::app
