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
        row.zones = layout.zones(*row.node, row.depth);
        rows_.push_back(row);
        const int nextTop = row.top + row.node->rowHeight();
        row.node = walk.next(*row.node, row.depth);
        row.top = nextTop;
    }
}

const TreeRow* VisibleRows::find(int y) const {
    if (rows_.empty() || y < rows_.front().top)
        return nullptr;
    // Rows are mostly of one height: start from the guess that makes and step.
    const int height = std::max(rows_.front().node->rowHeight(), 1);
    std::size_t i =
        std::min(static_cast<std::size_t>((y - rows_.front().top) / height), rows_.size() - 1);
    while (i > 0 && rows_[i].top > y)
        --i;
    while (i + 1 < rows_.size() && rows_[i + 1].top <= y)
        ++i;
    const TreeRow& row = rows_[i];
    return y < row.top + row.node->rowHeight() ? &row : nullptr;
}

const TreeRow* VisibleRows::find(const TreeViewNode* node) const {
    for (const TreeRow& r : rows_) {
        if (r.node == node)
            return &r;
    }
    return nullptr;
}

} // namespace qx
