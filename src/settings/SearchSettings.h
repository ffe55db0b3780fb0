#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qx {

class ApplicationProfile;

// The engines a request asks when nobody chose any: Aport, Rambler, Yandex
// and Yahoo. Stored requests and records keep whatever mask they were given.
inline constexpr std::uint16_t kDesignEngineMask = 39;

// The find dialog's last query in section "Search".
struct LastQuery {
    std::string query;               // "Query", written with quote protection
    int queryMode = 0;               // "QueryMode"
    int max = 100;                   // "Max"
    int servers = kDesignEngineMask; // "Servers": the engine mask
    std::string exclude;             // "Exclude"

    // Reads the keys, the current values being the defaults.
    void load(const ApplicationProfile& profile);
    bool save(ApplicationProfile& profile) const;
};

// The other keys of the search: worker priorities and the find history.
class SearchSettings {
public:
    static constexpr const char* kSection = "Search";
    static constexpr const char* kHistorySection = "SearchHistory";

    // Relative thread priorities of search and check workers (-1: one step below normal).
    static int findPriority(const ApplicationProfile& profile);
    static int checkPriority(const ApplicationProfile& profile);

    // The history entries, most recent first, at most 25 of them.
    static void readHistory(const ApplicationProfile& profile, std::vector<std::string>& entries);
    static bool writeHistory(ApplicationProfile& profile, const std::vector<std::string>& entries);
};

} // namespace qx
