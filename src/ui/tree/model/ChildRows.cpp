#include "ui/tree/model/ChildRows.h"

#include "ui/tree/model/TreeViewNode.h"

#include <algorithm>

namespace qx {

void ChildRows::clear() {
    nodes_.clear();
    heights_.clear();
    rights_.clear();
}

void ChildRows::append(TreeViewNode& child) {
    child.index_ = static_cast<int>(nodes_.size());
    nodes_.push_back(&child);
    heights_.push_back(child.height_);
    rights_.push_back(child.subRight_);
}

void ChildRows::finish() {
    const int count = size();
    cap_ = 1;
    while (cap_ < count)
        cap_ *= 2;
    const auto cap = static_cast<std::size_t>(cap_);
    sum_.assign(2 * cap, 0);
    max_.assign(2 * cap, 0);
    std::copy(heights_.begin(), heights_.end(), sum_.begin() + cap_);
    std::copy(rights_.begin(), rights_.end(), max_.begin() + cap_);
    for (std::size_t i = cap - 1; i >= 1; --i) {
        sum_[i] = sum_[2 * i] + sum_[2 * i + 1];
        max_[i] = std::max(max_[2 * i], max_[2 * i + 1]);
    }
    dirty_.clear();
}

void ChildRows::update(int index, int height, int right) {
    auto i = static_cast<std::size_t>(cap_ + index);
    if (sum_[i] == height && max_[i] == right)
        return;
    sum_[i] = height;
    max_[i] = right;
    for (i /= 2; i >= 1; i /= 2) {
        sum_[i] = sum_[2 * i] + sum_[2 * i + 1];
        max_[i] = std::max(max_[2 * i], max_[2 * i + 1]);
    }
}

int ChildRows::offsetOf(int index) const {
    // Walk up from the leaf, adding every left sibling subtree passed on the way.
    int offset = 0;
    for (auto i = static_cast<std::size_t>(cap_ + index); i > 1; i /= 2) {
        if (i & 1)
            offset += sum_[i - 1];
    }
    return offset;
}

int ChildRows::indexAt(int offset, int& start) const {
    std::size_t i = 1;
    start = 0;
    while (i < static_cast<std::size_t>(cap_)) {
        const int left = sum_[2 * i];
        if (offset < start + left) {
            i = 2 * i;
        } else {
            start += left;
            i = 2 * i + 1;
        }
    }
    const int index = static_cast<int>(i) - cap_;
    return std::min(index, size() - 1);
}

} // namespace qx
