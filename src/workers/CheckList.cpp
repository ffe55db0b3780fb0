#include "workers/CheckList.h"

namespace qx {

CheckNode::CheckNode(const Str& url, const platform::SystemTime& date) : url_(url), date_(date) {
    key_.set(url_.get());
}

CheckNode::~CheckNode() {
    if (List* list = owner())
        list->unlink(this);
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

void CheckList::append(CheckNode* node) {
    List::append(node); // a listed node is unlinked, and so unindexed, first
    byKey_.emplace(node->Key().hash(), node);
}

void CheckList::unlink(Node* node) {
    if (!node || node->owner() != this)
        return;
    auto* check = static_cast<CheckNode*>(node);
    const auto [from, to] = byKey_.equal_range(check->Key().hash());
    for (auto it = from; it != to; ++it) {
        if (it->second == check) {
            byKey_.erase(it);
            break;
        }
    }
    List::unlink(node);
}

CheckNode* CheckList::Find(const char* url) const {
    // QueueCheck lists an address once, so the first equal key is the one.
    const SearchKey key(url, true);
    const auto [from, to] = byKey_.equal_range(key.hash());
    for (auto it = from; it != to; ++it) {
        if (it->second->Key() == key)
            return it->second;
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
