#include "settings/SearchSettings.h"

#include "settings/ApplicationProfile.h"

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

void SearchSettings::readHistory(const ApplicationProfile& profile,
                                 std::vector<std::string>& entries) {
    profile.readList(kHistorySection, entries, ApplicationProfile::kMaxListEntries);
}

bool SearchSettings::writeHistory(ApplicationProfile& profile,
                                  const std::vector<std::string>& entries) {
    return profile.writeList(kHistorySection, entries, true);
}

} // namespace qx
