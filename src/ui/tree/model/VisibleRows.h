#pragma once

#include "ui/tree/model/TreeLayout.h"

#include <vector>

namespace qx {

class TreeViewRoot;

// The rows that meet the window, found once per layout or scroll and kept for
// painting and hit testing, which then cost the window's rows, not the tree's.
class VisibleRows {
public:
    void invalidate() { valid_ = false; }
    bool isValid() const { return valid_; }

    // Collects the rows that meet content heights [top, top + height) and
    // measures their labels exactly. Layout must be clean.
    void build(TreeLayout& layout, TreeViewRoot& root, int top, int height);

    const std::vector<TreeRow>& rows() const { return rows_; }
    // The row at content height y, or null.
    const TreeRow* find(int y) const;
    // The row of node, or null when it is not in the window.
    const TreeRow* find(const TreeViewNode* node) const;

private:
    std::vector<TreeRow> rows_;
    bool valid_ = false;
};

} // namespace qx
