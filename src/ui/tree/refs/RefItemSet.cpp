#include "ui/tree/refs/RefItemSet.h"

#include "ui/tree/refs/RefTVNode.h"

namespace qx {

void RefItemSet::insert(RefItem& item) {
    int& place = item.placeIn(which_);
    if (place >= 0)
        return;
    place = size();
    items_.push_back(&item);
}

void RefItemSet::erase(RefItem& item) {
    int& place = item.placeIn(which_);
    if (place < 0)
        return;
    // The last item fills the gap.
    RefItem* last = items_.back();
    items_[static_cast<std::size_t>(place)] = last;
    last->placeIn(which_) = place;
    items_.pop_back();
    place = -1;
}

void RefItemSet::take(std::vector<Ref*>& nodes) {
    nodes.clear();
    for (RefItem* item : items_) {
        item->placeIn(which_) = -1;
        nodes.push_back(&item->ref());
    }
    items_.clear();
}

} // namespace qx
