#pragma once

#include <string>

namespace qx {

class ApplicationProfile;

// The general options, read once at start-up and written whole at close.
struct Options {
    bool showHidden = false;             // "Options"/"ShowHidden"
    bool showNew = false;                // "Options"/"ShowNew"
    bool connections = true;             // "Options"/"Connections": thread window shown
    bool reserved = false;               // never stored
    bool checkRef = false;               // "Search"/"CheckRef"
    bool checkSearch = true;             // "Options"/"CheckSearch"
    std::string server = kDefaultServer; // "Search"/"Server"
    std::string language = "enu";        // "Options"/"Language"
    int sortServersType = 0;             // "Options"/"SortServersType": 0 name, 1 host, 2 count
    bool useProxy = false;               // "Options"/"UseProxy"
    std::string proxyAdr;                // "Options"/"ProxyAdr"
    std::string proxyPort;               // "Options"/"ProxyPort"
    bool findDialogAtStart = true;       // "Options"/"FindDialogAtStart"
    int maxThreads = 10;                 // "Options"/"maxthreads": searches at a time
    int checkThreads = 32;               // "Search"/"CheckThreads": checks at a time
    int checksPerHost = 4;               // "Search"/"ChecksPerHost": 0 no limit of its own
    int backups = 3;                     // "Options"/"Backups": kept of each document, 0 none
    int recoveryMinutes = 5;             // "Options"/"RecoveryMinutes": 0 never

    static constexpr int kMostCheckThreads = 256;

    static constexpr const char* kDefaultServer = "https://norbaseek.example.org/";

    // The numbers a setting may hold. A value outside (a hand-edited file, a
    // typed number) comes in as the nearest end, when read and in the
    // options dialog alike: no worker ever starts with 0 at once.
    struct Range {
        int min;
        int max;
        int clamp(int value) const { return value < min ? min : value > max ? max : value; }
    };
    static constexpr Range kMaxThreadsRange{1, 100};
    static constexpr Range kSortServersRange{0, 2};
    static constexpr Range kCheckThreadsRange{1, kMostCheckThreads};
    static constexpr Range kChecksPerHostRange{0, kMostCheckThreads};
    static constexpr Range kBackupsRange{0, 99};
    static constexpr Range kRecoveryMinutesRange{0, 24 * 60};

    // Reads every field, its current value being the default.
    void load(const ApplicationProfile& profile);
    // Writes every field, booleans as 0 or 1; false when the file could not be written.
    bool save(ApplicationProfile& profile) const;

    // The proxy text of the check sessions and the search module: the address,
    // followed by ":" and the port when there is one.
    std::string proxyWithPort() const;

    bool operator==(const Options&) const = default;
};

} // namespace qx
