#pragma once

#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace qx::platform {

// A browser to start: the program and its arguments, the address among them.
struct BrowserCommand {
    std::string program;
    std::vector<std::string> arguments;
};

// "mailto:" in any letter case: such addresses always go to the default action.
bool isMailto(std::string_view address);

// The browser's command line made into a start for the address. Leading
// blanks are skipped; the program runs to the first blank outside double
// quotes, which are dropped from it; the rest are the parameters. Each "%1"
// (and each of the desktop entries' "%u", "%U", "%f", "%F") stands for the
// address; without any, the address comes last. The parameters are split at
// blanks outside double quotes before the address goes in, so that an address
// with blanks or quotes stays one argument. The desktop entries' other field
// codes are dropped and "%%" is a "%". An empty program means no browser.
BrowserCommand browserCommand(std::string_view commandLine, std::string_view address);

// The Exec= value of a desktop file's [Desktop Entry] group; empty without one.
std::string desktopExec(std::istream& in);

} // namespace qx::platform
