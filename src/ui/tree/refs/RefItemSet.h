#pragma once

#include <vector>

namespace qx {

class Ref;
class RefItem;

// A set of view items that a binding visits later, with O(1) insertion and
// removal: each item remembers its place in the set, so a row that goes away
// leaves the set without a search, and the set is a plain array to walk. An
// item can be in each of RefItem::kSets sets at once, one place per set.
class RefItemSet {
public:
    explicit RefItemSet(int which) : which_(which) {}
    RefItemSet(const RefItemSet&) = delete;
    RefItemSet& operator=(const RefItemSet&) = delete;

    bool empty() const { return items_.empty(); }
    int size() const { return static_cast<int>(items_.size()); }
    void insert(RefItem& item);
    void erase(RefItem& item);
    // Empties the set into the model nodes of its items (replacing what nodes
    // held), which outlive any rows removed while the caller works through
    // them. The caller's vector is reused from one call to the next: a fresh
    // one of ten thousand nodes, freed, makes the allocator sweep every row
    // just freed.
    void take(std::vector<Ref*>& nodes);
    // Forgets every item without touching it: for rows that are all about to
    // be destroyed.
    void drop() { items_.clear(); }

private:
    int which_;
    std::vector<RefItem*> items_;
};

} // namespace qx
