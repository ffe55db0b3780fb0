#include "search/FindCommand.h"

#include "search/SearchStarter.h"
#include "settings/Options.h"
#include "settings/SearchSettings.h"

namespace qx {

FindCommand::FindCommand(ApplicationProfile& profile, const Options& options)
    : profile_(profile), options_(options) {}

bool FindCommand::run(const RunDialog& dialog, SearchStarter* starter) {
    if (!last_) {
        last_.emplace();
        if (defaultservers_)
            last_->servers = *defaultservers_;
    }
    FindInfo& request = *last_;
    // The first time, or after an empty query was accepted: the last query of
    // the settings file, with the request's values as defaults.
    if (request.query.empty()) {
        LastQuery stored{std::string(request.query.view()), request.queryMode, request.max,
                         request.servers, std::string(request.exclude.view())};
        stored.load(profile_);
        request.query = Str(stored.query);
        request.queryMode = stored.queryMode;
        request.max = stored.max;
        request.servers = static_cast<std::uint16_t>(stored.servers);
        request.exclude = Str(stored.exclude);
        request.check = options_.checkRef;
    }
    if (!dialog(request))
        return false;
    LastQuery{std::string(request.query.view()), request.queryMode, request.max, request.servers,
              std::string(request.exclude.view())}
        .save(profile_);
    if (starter)
        starter->startsearch(request);
    return true;
}

} // namespace qx
