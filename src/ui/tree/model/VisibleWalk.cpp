#include "ui/tree/model/VisibleWalk.h"

#include "ui/tree/model/TreeViewNode.h"

namespace qx {

bool VisibleWalk::isOpen(const TreeViewNode& node) const {
    return node.isExpanded() || (!node.parent() && !showRoot_);
}

bool VisibleWalk::isShown(const TreeViewNode& node) const {
    if (!node.parent())
        return showRoot_;
    for (const TreeViewNode* p = node.parent(); p; p = p->parent()) {
        if (!isOpen(*p))
            return false;
    }
    return true;
}

TreeViewNode* VisibleWalk::nearestShown(TreeViewNode& node) const {
    TreeViewNode* shown = &node;
    for (TreeViewNode* p = node.parent(); p; p = p->parent()) {
        if (!isOpen(*p))
            shown = p;
    }
    if (!shown->parent() && !showRoot_)
        return nullptr;
    return shown;
}

TreeViewNode* VisibleWalk::first(TreeViewNode& root) const {
    return showRoot_ ? &root : root.firstChild();
}

TreeViewNode* VisibleWalk::last(TreeViewNode& root) const {
    TreeViewNode* n = &root;
    while (isOpen(*n) && n->lastChild())
        n = n->lastChild();
    return n == &root && !showRoot_ ? nullptr : n;
}

TreeViewNode* VisibleWalk::next(const TreeViewNode& node) const {
    int depth = 0;
    return next(node, depth);
}

TreeViewNode* VisibleWalk::next(const TreeViewNode& node, int& depth) const {
    if (isOpen(node) && node.firstChild()) {
        ++depth;
        return node.firstChild();
    }
    for (const TreeViewNode* n = &node; n; n = n->parent(), --depth) {
        if (n->next())
            return n->next();
    }
    return nullptr;
}

TreeViewNode* VisibleWalk::previous(const TreeViewNode& node) const {
    if (TreeViewNode* n = node.previous()) {
        while (isOpen(*n) && n->lastChild())
            n = n->lastChild();
        return n;
    }
    TreeViewNode* p = node.parent();
    if (p && !p->parent() && !showRoot_)
        return nullptr;
    return p;
}

} // namespace qx
