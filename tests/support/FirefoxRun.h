#pragma once

#include <string>
#include <sys/types.h>

namespace qx::test {

// A real Firefox ESR, headless, on a fresh profile in a folder of the test's:
// given a bookmarks.html, it imports that file into the profile's
// places.sqlite at its first start (browser.places.importBookmarksHTML), as a
// new profile does with a distribution's bookmarks. Every network feature is
// turned off and every address goes to a closed loopback proxy, so nothing
// leaves the machine. The page it opens closes its window after a while,
// which ends the browser by itself; whatever still runs when the object goes
// is killed.
class FirefoxRun {
public:
    static constexpr const char* kBinary = "firefox-esr";

    static bool Available();

    // home: a folder for the browser's HOME; profile: the profile folder,
    // made here with the bookmarks file and the preferences.
    FirefoxRun(const std::string& home, const std::string& profile, const std::string& bookmarks,
               int closeAfterSeconds);
    ~FirefoxRun();
    FirefoxRun(const FirefoxRun&) = delete;
    FirefoxRun& operator=(const FirefoxRun&) = delete;

    bool Running();
    // Waits until the browser ended by itself: false when it still runs
    // after that many seconds.
    bool WaitForExit(int seconds);
    // What the browser wrote on its standard output and error.
    std::string Log() const;

private:
    std::string home_;
    pid_t pid_ = -1;
};

} // namespace qx::test
