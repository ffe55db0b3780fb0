#pragma once

#include "model/FindInfo.h"

#include <string>
#include <string_view>
#include <vector>

namespace qx {

class ApplicationProfile;
struct Options;

// The find dialog's history: the requests accepted, most recent first, kept in
// section "SearchHistory" as entry texts
// "query,max,servers,check,queryMode,exclude,".
class FindHistory {
public:
    // What an entry without a comma (only a query) takes for everything else:
    // "QueryMode", "Max" and "Servers" of section "Search" (0, 0 and 7 when
    // missing) and the option "CheckRef".
    static FindInfo plaindefaults(const ApplicationProfile& profile, const Options& options);

    static std::string entrytext(const FindInfo& request);
    // Never reads past the text. Without a comma the whole text is the query and
    // the rest comes from `plain`. Otherwise the query is cut at the first comma
    // and the pieces after it are max, servers, check (non-zero is on) and
    // queryMode; missing pieces keep the request's defaults. The exclusion runs
    // from the fifth comma to the last one, so that commas inside it survive.
    static FindInfo decode(std::string_view text, const FindInfo& plain);

    // Reads at most 25 entries.
    void load(const ApplicationProfile& profile, const Options& options);
    // The entry with exactly this query goes; the request becomes the first entry.
    void add(const FindInfo& request);
    // Replaces the section by the entries' texts, with quote protection.
    bool save(ApplicationProfile& profile) const;

    const std::vector<FindInfo>& entries() const { return entries_; }

private:
    std::vector<FindInfo> entries_;
};

} // namespace qx
