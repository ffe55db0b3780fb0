#include "ui/tree/model/ChildRows.h"

#include "ui/tree/model/TreeViewNode.h"

#include <algorithm>

namespace qx {

void ChildRows::rebuild(const TreeViewNode& parent) {
    nodes_.clear();
    int index = 0;
    for (TreeViewNode* c = parent.firstChild(); c; c = c->next()) {
        c->index_ = index++;
        nodes_.push_back(c);
    }
    cap_ = 1;
    while (cap_ < index)
        cap_ *= 2;
    sum_.assign(static_cast<std::size_t>(2 * cap_), 0);
    max_.assign(static_cast<std::size_t>(2 * cap_), 0);
    for (int i = 0; i < index; ++i) {
        sum_[static_cast<std::size_t>(cap_ + i)] = nodes_[static_cast<std::size_t>(i)]->height_;
        max_[static_cast<std::size_t>(cap_ + i)] = nodes_[static_cast<std::size_t>(i)]->subRight_;
    }
    for (int i = cap_ - 1; i >= 1; --i) {
        const auto u = static_cast<std::size_t>(i);
        sum_[u] = sum_[2 * u] + sum_[2 * u + 1];
        max_[u] = std::max(max_[2 * u], max_[2 * u + 1]);
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
