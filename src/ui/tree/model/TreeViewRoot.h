#pragma once

#include "ui/tree/model/TreeViewNode.h"

namespace qx {

// The top node of a tree view. It is the first row only when the view shows
// its root; otherwise its children are the top rows. It also keeps the list of
// selected nodes, so that clearing a selection costs the selection's size, not
// the tree's.
class TreeViewRoot : public TreeViewNode {
public:
    explicit TreeViewRoot(std::string label = {});

    TreeViewRoot* asRoot() override { return this; }
    TreeViewModel* view() const { return view_; }

    TreeViewNode* firstSelected() const { return selFirst_; }
    int selectedCount() const { return selCount_; }

private:
    friend class TreeViewModel;

    bool isLinked(const TreeViewNode& node) const;
    void linkSelected(TreeViewNode& node);
    void unlinkSelected(TreeViewNode& node);

    TreeViewModel* view_ = nullptr;
    TreeViewNode* selFirst_ = nullptr;
    TreeViewNode* selLast_ = nullptr;
    int selCount_ = 0;
};

} // namespace qx
