#pragma once

#include <string>

namespace qx {
class Language;
class MessageBoxer;
} // namespace qx

namespace qx::ui {

// Opens addresses in the web browser: the desktop's default action, or a new
// window of the default browser of "http" addresses (its desktop entry's
// command line). A launch that fails is shown with its error text and a stop
// icon, captioned with the program's title.
class Browser {
public:
    // The launch error codes used here (the language module's texts for them).
    static constexpr int kNotFound = 2;   // the program could not be started
    static constexpr int kNoProgram = 31; // nothing is set up for the address

    Browser(const Language& language, MessageBoxer& boxes, std::string title);

    // "mailto:" addresses always take the default action. False when the
    // launch failed (the user has been told).
    bool open(const std::string& address, bool newWindow);

    // The command line of the default handler of http addresses, as its
    // desktop entry's Exec= gives it; empty when there is none.
    static std::string defaultBrowserCommandLine();

private:
    // 0, or the launch error code.
    int launch(const std::string& address, bool newWindow) const;

    const Language& language_;
    MessageBoxer& boxes_;
    std::string title_;
};

} // namespace qx::ui
