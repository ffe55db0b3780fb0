#include "workers/CheckList.h"

namespace qx {

CheckNode::CheckNode(const Str& url, const platform::SystemTime& date) : url_(url), date_(date) {
    key_.set(url_.get());
}

void CheckNode::Postpone(CheckClock::TimePoint until) {
    state_ = Queued;
    notBefore_ = until;
    ++retries_;
}

void CheckNode::Requeue() {
    state_ = Queued;
    notBefore_.reset();
    retries_ = 0;
}

CheckNode* CheckList::Find(const char* url) const {
    const SearchKey key(url, true);
    for (CheckNode* node = First(); node; node = node->Next()) {
        if (node->Key() == key)
            return node;
    }
    return nullptr;
}

bool CheckList::QueueCheck(const Str& url, const platform::SystemTime& date) {
    if (CheckNode* node = Find(url.get())) {
        if (node->GetState() != CheckNode::Done)
            return false;
        node->Requeue();
        return true;
    }
    append(new CheckNode(url, date));
    return true;
}

bool CheckList::HasPending() const {
    for (CheckNode* node = First(); node; node = node->Next()) {
        if (node->GetState() != CheckNode::Done)
            return true;
    }
    return false;
}

} // namespace qx
