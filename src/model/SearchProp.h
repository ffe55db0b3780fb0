#pragma once

#include "model/FindInfo.h"
#include "model/ServerInfo.h"
#include "platform/FileTime.h"

#include <cstdint>

namespace qx {

// A saved search: its request, the records of its engine runs, its counters
// and the time of its last run.
struct SearchProp : FindInfo {
    ServerInfoList serverinfo;
    // Results filed over all engines, results that were new, results the
    // checker found dead.
    std::uint32_t total = 0;
    std::uint32_t added = 0;
    std::uint32_t broken = 0;
    // The last run (UTC); 0 never.
    platform::FileTime time = 0;

    // A re-run: the request is replaced and the time set to now.
    void setrequest(const FindInfo& request);
    // What a copied saved search keeps: the request and the counters, with no
    // engine records and no time.
    SearchProp copied() const;

    // Stored form: the request, total, added, broken, time, then the engine
    // records with their count. The stream's state tells whether it worked.
    void write(owstream& out) const;
    void read(iwstream& in);
};

} // namespace qx
