#include "settings/Options.h"

#include "settings/ApplicationProfile.h"

#include <climits>

namespace qx {

namespace {

constexpr const char* kOptions = "Options";
constexpr const char* kSearch = "Search";

// One stored field: where it lives and how it is read and written.
struct BoolKey {
    const char* section;
    const char* key;
    bool Options::*field;
};
struct IntKey {
    const char* section;
    const char* key;
    int Options::*field;
    Options::Range range = {INT_MIN, INT_MAX};
};
struct TextKey {
    const char* section;
    const char* key;
    std::string Options::*field;
};

constexpr BoolKey kBools[] = {
    {kOptions, "ShowHidden", &Options::showHidden},
    {kOptions, "ShowNew", &Options::showNew},
    {kOptions, "Connections", &Options::connections},
    {kSearch, "CheckRef", &Options::checkRef},
    {kOptions, "CheckSearch", &Options::checkSearch},
    {kOptions, "UseProxy", &Options::useProxy},
    {kOptions, "FindDialogAtStart", &Options::findDialogAtStart},
};
constexpr IntKey kInts[] = {
    {kOptions, "SortServersType", &Options::sortServersType, Options::kSortServersRange},
    {kOptions, "maxthreads", &Options::maxThreads, Options::kMaxThreadsRange},
    {kSearch, "CheckThreads", &Options::checkThreads, Options::kCheckThreadsRange},
    {kSearch, "ChecksPerHost", &Options::checksPerHost, Options::kChecksPerHostRange},
    {kOptions, "Backups", &Options::backups, Options::kBackupsRange},
    {kOptions, "RecoveryMinutes", &Options::recoveryMinutes, Options::kRecoveryMinutesRange},
};
constexpr TextKey kTexts[] = {
    {kSearch, "Server", &Options::server},
    {kOptions, "Language", &Options::language},
    {kOptions, "ProxyAdr", &Options::proxyAdr},
    {kOptions, "ProxyPort", &Options::proxyPort},
};

} // namespace

void Options::load(const ApplicationProfile& profile) {
    for (const BoolKey& k : kBools)
        this->*k.field = profile.readInt(k.section, k.key, this->*k.field ? 1 : 0) != 0;
    for (const IntKey& k : kInts)
        this->*k.field = k.range.clamp(profile.readInt(k.section, k.key, this->*k.field));
    for (const TextKey& k : kTexts)
        this->*k.field = profile.readString(k.section, k.key, this->*k.field);
}

bool Options::save(ApplicationProfile& profile) const {
    std::vector<std::pair<std::string, std::string>> options, search;
    auto add = [&](const char* section, const char* key, std::string value) {
        (section == kSearch ? search : options).emplace_back(key, std::move(value));
    };
    for (const BoolKey& k : kBools)
        add(k.section, k.key, this->*k.field ? "1" : "0");
    for (const IntKey& k : kInts)
        add(k.section, k.key, std::to_string(this->*k.field));
    for (const TextKey& k : kTexts)
        add(k.section, k.key, this->*k.field);
    bool written = profile.writeStrings(kOptions, options);
    return profile.writeStrings(kSearch, search) && written;
}

std::string Options::proxyWithPort() const {
    return proxyPort.empty() ? proxyAdr : proxyAdr + ":" + proxyPort;
}

} // namespace qx
