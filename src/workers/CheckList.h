#pragma once

#include "model/List.h"
#include "model/SearchKey.h"
#include "platform/DateTime.h"
#include "stream/Str.h"
#include "workers/CheckClock.h"

#include <cstdint>
#include <string>
#include <unordered_map>

namespace qx {

// A reference waiting to be checked, being checked, or checked.
class CheckNode : public Node {
public:
    enum State : std::int32_t { Queued = 0, Running = 1, Done = 2 };

    // date: the page's stored modification time, year 0 when unknown.
    CheckNode(const Str& url, const platform::SystemTime& date);
    // Leaves its list while its key can still be read, so that the list's
    // index loses it too.
    ~CheckNode() override;

    const Str& Url() const { return url_; }
    const platform::SystemTime& Date() const { return date_; }
    State GetState() const { return state_; }
    void SetState(State state) { state_ = state; }
    // Equal keys name the same address in any letter case.
    const SearchKey& Key() const { return key_; }
    CheckNode* Next() const { return static_cast<CheckNode*>(next()); }

    // A busy server asked to be asked again later: the node is queued but not
    // started before this time. Queueing it afresh forgets the wait.
    const std::optional<CheckClock::TimePoint>& NotBefore() const { return notBefore_; }
    // How often the current check was put back for a busy server.
    int Retries() const { return retries_; }
    void Postpone(CheckClock::TimePoint until);
    void Requeue();

    // The scheduler's notes: the host its checks count against (empty until
    // asked), and the number it was last queued under.
    const std::string& HostKey() const { return hostKey_; }
    void SetHostKey(std::string key) { hostKey_ = std::move(key); }
    std::uint64_t QueueNumber() const { return queueNumber_; }
    void SetQueueNumber(std::uint64_t number) { queueNumber_ = number; }

private:
    Str url_;
    platform::SystemTime date_;
    State state_ = Queued;
    SearchKey key_{true};
    std::optional<CheckClock::TimePoint> notBefore_;
    int retries_ = 0;
    std::string hostKey_;
    std::uint64_t queueNumber_ = 0;
};

// The checks of the job board, in the order they were queued (a started
// check moves to the end). Only CheckNodes go into it.
class CheckList : public List {
public:
    CheckNode* First() const { return static_cast<CheckNode*>(first()); }
    // Links the node at the end, moving it there when it is listed already.
    void append(CheckNode* node);
    void unlink(Node* node) override;
    // The node of an address, in any letter case; null when there is none.
    CheckNode* Find(const char* url) const;
    // Queues a check of an address: a done node of the address is queued
    // again in place (keeping its date); a queued or running one makes the
    // answer false; otherwise a new node is appended.
    bool QueueCheck(const Str& url, const platform::SystemTime& date);
    // Whether a node is queued or running.
    bool HasPending() const;

private:
    // The nodes by the hash of their key: a check of ten thousand pages
    // queues each one after a look for its address, which a walk of the list
    // would make quadratic.
    std::unordered_multimap<std::uint32_t, CheckNode*> byKey_;
};

} // namespace qx
