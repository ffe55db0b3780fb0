#include "ui/tree/model/VisibleRows.h"

#include "ui/tree/model/TreeViewNode.h"

#include <algorithm>

namespace qx {

void VisibleRows::build(TreeLayout& layout, TreeViewRoot& root, int top, int height) {
    rows_.clear();
    valid_ = true;
    TreeRow row = layout.rowAt(root, std::max(top, 0));
    const VisibleWalk walk = layout.walk();
    while (row.node && row.top < top + height) {
        layout.refineWidth(*row.node);
        rows_.push_back(row);
        const int nextTop = row.top + row.node->rowHeight();
        row.node = walk.next(*row.node, row.depth);
        row.top = nextTop;
    }
}

const TreeRow* VisibleRows::find(int y) const {
    auto it = std::upper_bound(rows_.begin(), rows_.end(), y,
                               [](int value, const TreeRow& r) { return value < r.top; });
    if (it == rows_.begin())
        return nullptr;
    --it;
    return y < it->top + it->node->rowHeight() ? &*it : nullptr;
}

const TreeRow* VisibleRows::find(const TreeViewNode* node) const {
    for (const TreeRow& r : rows_) {
        if (r.node == node)
            return &r;
    }
    return nullptr;
}

} // namespace qx
