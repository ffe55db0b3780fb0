#include "FirefoxRun.h"

#include "TempDir.h"

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <signal.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace qx::test {

namespace {

const char* const kPrefs[] = {
    "browser.places.importBookmarksHTML\", true",
    "network.dns.disabled\", true",
    "network.proxy.type\", 1",
    "network.proxy.http\", \"127.0.0.1\"",
    "network.proxy.http_port\", 9",
    "network.proxy.ssl\", \"127.0.0.1\"",
    "network.proxy.ssl_port\", 9",
    "network.proxy.share_proxy_settings\", true",
    "network.captive-portal-service.enabled\", false",
    "network.connectivity-service.enabled\", false",
    "network.prefetch-next\", false",
    "network.predictor.enabled\", false",
    "app.update.enabled\", false",
    "app.update.auto\", false",
    "app.normandy.enabled\", false",
    "extensions.update.enabled\", false",
    "extensions.getAddons.cache.enabled\", false",
    "datareporting.policy.dataSubmissionEnabled\", false",
    "datareporting.healthreport.uploadEnabled\", false",
    "toolkit.telemetry.enabled\", false",
    "browser.safebrowsing.malware.enabled\", false",
    "browser.safebrowsing.phishing.enabled\", false",
    "browser.safebrowsing.downloads.enabled\", false",
    "browser.shell.checkDefaultBrowser\", false",
    "browser.startup.page\", 0",
    "browser.startup.homepage_override.mstone\", \"ignore\"",
    "browser.newtabpage.enabled\", false",
    "browser.aboutwelcome.enabled\", false",
    "toolkit.startup.max_resumed_crashes\", -1",
    // The page that ends the run closes its own window.
    "dom.allow_scripts_to_close_windows\", true",
};

} // namespace

bool FirefoxRun::Available() {
    return std::system("command -v firefox-esr >/dev/null 2>&1") == 0;
}

FirefoxRun::FirefoxRun(const std::string& home, const std::string& profile,
                       const std::string& bookmarks, int closeAfterSeconds)
    : home_(home) {
    std::filesystem::create_directories(profile);
    std::filesystem::create_directories(home);
    std::ofstream(profile + "/bookmarks.html") << bookmarks;
    {
        std::ofstream prefs(profile + "/user.js");
        for (const char* pref : kPrefs)
            prefs << "user_pref(\"" << pref << ");\n";
    }
    const std::string page = home + "/close.html";
    std::ofstream(page) << "<html><body><script>setTimeout(function () { window.close(); }, "
                        << closeAfterSeconds * 1000 << ");</script></body></html>\n";
    const std::string log = home + "/firefox.log";
    pid_ = ::fork();
    if (pid_ == 0) {
        const int out = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(out, 1);
        ::dup2(out, 2);
        ::setenv("HOME", home.c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (home + "/.config").c_str(), 1);
        ::setenv("XDG_CACHE_HOME", (home + "/.cache").c_str(), 1);
        ::setenv("MOZ_CRASHREPORTER_DISABLE", "1", 1);
        ::unsetenv("DISPLAY");
        // A group of its own, so that its content processes go with it.
        ::setpgid(0, 0);
        ::execlp(kBinary, kBinary, "--headless", "--no-remote", "--profile", profile.c_str(),
                 ("file://" + page).c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
}

bool FirefoxRun::Running() {
    int status = 0;
    if (pid_ > 0 && ::waitpid(pid_, &status, WNOHANG) == pid_)
        pid_ = -1;
    return pid_ > 0;
}

bool FirefoxRun::WaitForExit(int seconds) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (Running()) {
        if (std::chrono::steady_clock::now() > until)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return true;
}

std::string FirefoxRun::Log() const {
    return TempDir::read(home_ + "/firefox.log");
}

FirefoxRun::~FirefoxRun() {
    if (pid_ <= 0)
        return;
    ::kill(-pid_, SIGTERM);
    if (!WaitForExit(10)) {
        ::kill(-pid_, SIGKILL);
        int status = 0;
        ::waitpid(pid_, &status, 0);
    }
}

} // namespace qx::test
