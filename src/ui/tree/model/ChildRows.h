#pragma once

#include <vector>

namespace qx {

class TreeViewNode;

// The children of one open node, in order, with the height of each child's
// visible subtree and the rightmost edge inside it. A segment tree over them
// answers "which child lies at this offset" and "how far down is this child"
// in O(log n), so a parent with a hundred thousand children costs no more to
// navigate than one with ten.
class ChildRows {
public:
    // Indexing all children again: clear, append each child in order (once its
    // height and right edge are known), finish. Every child gets its index.
    void clear();
    void append(TreeViewNode& child);
    void finish();

    // A child's height or right edge changed.
    void update(int index, int height, int right);

    int size() const { return static_cast<int>(nodes_.size()); }
    TreeViewNode* at(int index) const { return nodes_[static_cast<std::size_t>(index)]; }
    int totalHeight() const { return sum_.empty() ? 0 : sum_[1]; }
    int maxRight() const { return max_.empty() ? 0 : max_[1]; }

    // Sum of the heights of the children before index.
    int offsetOf(int index) const;
    // The child whose rows contain offset (0 <= offset < totalHeight()), and the
    // offset at which that child starts.
    int indexAt(int offset, int& start) const;

    // Children whose layout changed since the last pass; cleared by the layout.
    std::vector<TreeViewNode*>& dirty() { return dirty_; }

private:
    std::vector<TreeViewNode*> nodes_;
    std::vector<int> heights_; // leaves collected by append
    std::vector<int> rights_;
    std::vector<int> sum_; // heap-ordered, leaves at cap_ + i
    std::vector<int> max_;
    int cap_ = 0;
    std::vector<TreeViewNode*> dirty_;
};

} // namespace qx
