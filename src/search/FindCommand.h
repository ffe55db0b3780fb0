#pragma once

#include "model/FindInfo.h"

#include <functional>
#include <optional>

namespace qx {

class ApplicationProfile;
class SearchStarter;
struct Options;

// The find command: the find dialog on the last request, the accepted request
// written to section "Search" and handed to the search run.
class FindCommand {
public:
    // Runs the find dialog on the request; true for OK (the request then holds
    // what was accepted).
    using RunDialog = std::function<bool(FindInfo& request)>;

    FindCommand(ApplicationProfile& profile, const Options& options);

    // Without a starter the accepted request is only remembered and written.
    // True when the dialog was accepted.
    bool run(const RunDialog& dialog, SearchStarter* starter);

    // The engines of the first request when the settings file holds no
    // choice of the user's (the engine table's default mask); the request's
    // own default until set.
    void setdefaultservers(std::uint16_t servers) { defaultservers_ = servers; }

    // The last request; none before the first use.
    const std::optional<FindInfo>& lastrequest() const { return last_; }

private:
    ApplicationProfile& profile_;
    const Options& options_;
    std::optional<std::uint16_t> defaultservers_;
    std::optional<FindInfo> last_;
};

} // namespace qx
