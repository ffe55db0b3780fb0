#pragma once

#include "workers/CheckClock.h"

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace qx {

class CheckNode;

// The scheduler's view of the queued checks: per host (scheme, name and port)
// the queued checks in the order they were queued and the checks running,
// so that the next check to start (the first queued, due one whose host runs
// fewer than the per-host limit) is found without looking at the checks of
// hosts at their limit. Ten thousand checks of one host would otherwise be
// walked on every pass.
//
// The check list owns the nodes; this holds pointers, checked when used: a
// node that was done, cancelled or queued again meanwhile is dropped then.
// Clear() must come before the list deletes its nodes.
class CheckQueue {
public:
    using TimePoint = CheckClock::TimePoint;

    // 0: no limit.
    void SetLimit(int perHost);
    // A node became queued (new, or again after it was done), due now.
    void Queued(CheckNode& node);
    // A queued node that may not start before its NotBefore time.
    void Postponed(CheckNode& node);
    // The next check to start, taken out of the queue; null when none can
    // start now. earliest: set to the earliest time a postponed check
    // becomes due when one waits.
    CheckNode* Next(TimePoint now, std::optional<TimePoint>& earliest);
    // A check worker of the host began or ended.
    void Started(const std::string& host);
    void Ended(const std::string& host);
    // Forgets every queued and postponed node; running counts stay, as
    // their workers still end.
    void Clear();

    // The key the node's checks count against.
    static const std::string& HostOf(CheckNode& node);

private:
    struct Host {
        int running = 0;
        std::deque<std::pair<std::uint64_t, CheckNode*>> queued; // by queue number
        std::optional<std::uint64_t> readyAt;                    // its key in ready_
    };
    using Entry = std::pair<std::uint64_t, CheckNode*>;

    Host& HostFor(const std::string& key);
    // Drops the host's stale heads and files it in ready_ when it can start
    // its head.
    void Refresh(Host& host);
    static bool Current(const Entry& entry);

    int limit_ = 0;
    std::uint64_t counter_ = 0;
    std::unordered_map<std::string, Host> hosts_;
    // The hosts that may start a check now, by the queue number of their head.
    std::map<std::uint64_t, Host*> ready_;
    std::vector<Entry> postponed_;
};

} // namespace qx
