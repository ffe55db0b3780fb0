#pragma once

#include "ui/tree/model/TreeTypes.h"

namespace qx {

class TreeViewModel;
class TreeViewNode;

// The keyboard map of a tree view. Moving keys move the focus: alone they take
// the selection along, with Ctrl only the focus moves, with Shift the selection
// reaches from the anchor to the new focus.
class TreeKeyboard {
public:
    explicit TreeKeyboard(TreeViewModel& view) : view_(view) {}

    // False for a key the tree view does not use.
    bool press(TreeKey key, TreeModifiers keys);

private:
    TreeViewNode* target(TreeKey key, TreeViewNode* focus);
    TreeViewNode* pageDown(TreeViewNode& focus);
    TreeViewNode* pageUp(TreeViewNode& focus);
    TreeViewNode* left(TreeViewNode& focus);
    TreeViewNode* right(TreeViewNode& focus);
    void moveTo(TreeViewNode& node, TreeModifiers keys);

    TreeViewModel& view_;
};

} // namespace qx
