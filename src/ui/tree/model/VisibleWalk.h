#pragma once

namespace qx {

class TreeViewNode;

// Which nodes are rows on screen, and in what order. A node is shown when it is
// a top row or when everything above it (below a hidden root) is expanded.
class VisibleWalk {
public:
    explicit VisibleWalk(bool showRoot) : showRoot_(showRoot) {}

    // Open: its children are rows. A hidden root is always open.
    bool isOpen(const TreeViewNode& node) const;
    bool isShown(const TreeViewNode& node) const;
    // The node itself when shown, else the shown ancestor that hides it.
    TreeViewNode* nearestShown(TreeViewNode& node) const;

    TreeViewNode* first(TreeViewNode& root) const;
    TreeViewNode* last(TreeViewNode& root) const;
    TreeViewNode* next(const TreeViewNode& node) const;
    // As next, keeping depth in step.
    TreeViewNode* next(const TreeViewNode& node, int& depth) const;
    TreeViewNode* previous(const TreeViewNode& node) const;

private:
    bool showRoot_;
};

} // namespace qx
