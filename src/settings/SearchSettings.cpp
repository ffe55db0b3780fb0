#include "settings/SearchSettings.h"

#include "settings/ApplicationProfile.h"

#include <algorithm>

namespace qx {

void LastQuery::load(const ApplicationProfile& profile) {
    const char* s = SearchSettings::kSection;
    query = profile.readString(s, "Query", query);
    queryMode = profile.readInt(s, "QueryMode", queryMode);
    max = profile.readInt(s, "Max", max);
    servers = profile.readInt(s, "Servers", servers);
    exclude = profile.readString(s, "Exclude", exclude);
}

bool LastQuery::save(ApplicationProfile& profile) const {
    return profile.writeStrings(SearchSettings::kSection,
                                {{"Query", ApplicationProfile::protectText(query)},
                                 {"QueryMode", std::to_string(queryMode)},
                                 {"Max", std::to_string(max)},
                                 {"Servers", std::to_string(servers)},
                                 {"Exclude", exclude}});
}

int SearchSettings::findPriority(const ApplicationProfile& profile) {
    return profile.readInt(kSection, "FindPriority", -1);
}

int SearchSettings::checkPriority(const ApplicationProfile& profile) {
    return profile.readInt(kSection, "CheckPriority", -1);
}

int SearchSettings::checksPerHost(const ApplicationProfile& profile) {
    const int limit = profile.readInt(kSection, "ChecksPerHost", 4);
    return limit < 0 ? 0 : limit;
}

bool SearchSettings::setChecksPerHost(ApplicationProfile& profile, int limit) {
    return profile.writeInt(kSection, "ChecksPerHost", limit < 0 ? 0 : limit);
}

int SearchSettings::checkThreads(const ApplicationProfile& profile) {
    const int limit = profile.readInt(kSection, "CheckThreads", kDefaultCheckThreads);
    return std::clamp(limit, 1, kMostCheckThreads);
}

bool SearchSettings::setCheckThreads(ApplicationProfile& profile, int limit) {
    return profile.writeInt(kSection, "CheckThreads", std::clamp(limit, 1, kMostCheckThreads));
}

void SearchSettings::readHistory(const ApplicationProfile& profile,
                                 std::vector<std::string>& entries) {
    profile.readList(kHistorySection, entries, ApplicationProfile::kMaxListEntries);
}

bool SearchSettings::writeHistory(ApplicationProfile& profile,
                                  const std::vector<std::string>& entries) {
    return profile.writeList(kHistorySection, entries, true);
}

} // namespace qx
