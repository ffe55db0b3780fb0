#include "workers/CheckQueue.h"

#include "net/SplitUrl.h"
#include "workers/CheckList.h"

#include <algorithm>
#include <cctype>

namespace qx {

const std::string& CheckQueue::HostOf(CheckNode& node) {
    if (node.HostKey().empty()) {
        // An address that does not split is a host of its own.
        UrlParts parts;
        std::string key = "?" + std::string(node.Url().view());
        if (SplitUrl(node.Url().view(), parts)) {
            key = std::to_string(static_cast<int>(parts.service)) + ':' +
                  std::to_string(parts.port) + ':' + parts.host;
            std::transform(key.begin(), key.end(), key.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        }
        node.SetHostKey(std::move(key));
    }
    return node.HostKey();
}

void CheckQueue::SetLimit(int perHost) {
    limit_ = perHost < 0 ? 0 : perHost;
    for (auto& [key, host] : hosts_)
        Refresh(host);
}

CheckQueue::Host& CheckQueue::HostFor(const std::string& key) {
    return hosts_[key];
}

bool CheckQueue::Current(const Entry& entry) {
    return entry.second->GetState() == CheckNode::Queued &&
           entry.second->QueueNumber() == entry.first;
}

void CheckQueue::Refresh(Host& host) {
    if (host.readyAt) {
        ready_.erase(*host.readyAt);
        host.readyAt.reset();
    }
    while (!host.queued.empty() && !Current(host.queued.front()))
        host.queued.pop_front();
    if (!host.queued.empty() && (limit_ == 0 || host.running < limit_)) {
        host.readyAt = host.queued.front().first;
        ready_.emplace(*host.readyAt, &host);
    }
}

void CheckQueue::Queued(CheckNode& node) {
    node.SetQueueNumber(++counter_);
    Host& host = HostFor(HostOf(node));
    host.queued.emplace_back(counter_, &node);
    if (!host.readyAt)
        Refresh(host);
}

void CheckQueue::Postponed(CheckNode& node) {
    node.SetQueueNumber(++counter_);
    postponed_.emplace_back(counter_, &node);
}

CheckNode* CheckQueue::Next(TimePoint now, std::optional<TimePoint>& earliest) {
    // Postponed checks are few (busy servers only): a walk of them is cheap.
    std::vector<Entry> waiting;
    for (const Entry& entry : postponed_) {
        if (!Current(entry))
            continue;
        const auto& due = entry.second->NotBefore();
        if (due && now < *due) {
            earliest = earliest ? std::min(*earliest, *due) : *due;
            waiting.push_back(entry);
        } else {
            Queued(*entry.second);
        }
    }
    postponed_.swap(waiting);
    while (!ready_.empty()) {
        Host& host = *ready_.begin()->second;
        const Entry head = host.queued.front();
        if (!Current(head)) {
            Refresh(host);
            continue;
        }
        host.queued.pop_front();
        Refresh(host);
        return head.second;
    }
    return nullptr;
}

void CheckQueue::Started(const std::string& key) {
    Host& host = HostFor(key);
    ++host.running;
    Refresh(host);
}

void CheckQueue::Ended(const std::string& key) {
    const auto it = hosts_.find(key);
    if (it == hosts_.end())
        return;
    Host& host = it->second;
    --host.running;
    Refresh(host);
    if (host.running <= 0 && host.queued.empty())
        hosts_.erase(it);
}

void CheckQueue::Clear() {
    ready_.clear();
    postponed_.clear();
    for (auto it = hosts_.begin(); it != hosts_.end();) {
        it->second.queued.clear();
        it->second.readyAt.reset();
        it = it->second.running > 0 ? std::next(it) : hosts_.erase(it);
    }
}

} // namespace qx
