#include "ui/tree/model/TreeKeyboard.h"

#include "ui/tree/model/TreeViewModel.h"
#include "ui/tree/model/TreeViewRoot.h"

namespace qx {

bool TreeKeyboard::press(TreeKey key, TreeModifiers keys) {
    TreeViewNode* focus = view_.focusNode();
    switch (key) {
    case TreeKey::Escape:
        view_.clearSelection();
        return true;
    case TreeKey::Space:
        if (focus) {
            view_.select(*focus, !focus->isSelected());
            view_.setAnchorNode(focus);
        }
        return true;
    case TreeKey::Add:
    case TreeKey::Subtract:
        if (focus)
            view_.expand(*focus, key == TreeKey::Add);
        return true;
    default:
        break;
    }
    if (TreeViewNode* node = target(key, focus); node && node != focus)
        moveTo(*node, keys);
    return true;
}

TreeViewNode* TreeKeyboard::target(TreeKey key, TreeViewNode* focus) {
    const VisibleWalk walk = view_.walk();
    TreeViewRoot& root = view_.treeRoot();
    if (!focus)
        return key == TreeKey::End ? walk.last(root) : walk.first(root);
    switch (key) {
    case TreeKey::Down:
        return walk.next(*focus);
    case TreeKey::Up:
        return walk.previous(*focus);
    case TreeKey::Home:
        return walk.first(root);
    case TreeKey::End:
        return walk.last(root);
    case TreeKey::PageDown:
        return pageDown(*focus);
    case TreeKey::PageUp:
        return pageUp(*focus);
    case TreeKey::Left:
        return left(*focus);
    case TreeKey::Right:
        return right(*focus);
    default:
        return nullptr;
    }
}

TreeViewNode* TreeKeyboard::left(TreeViewNode& focus) {
    if (focus.isExpanded() && focus.hasChildren()) {
        view_.expand(focus, false);
        return nullptr;
    }
    TreeViewNode* parent = focus.parent();
    // The root is a place to go only when it is a row.
    if (parent && !parent->parent() && !(view_.treeStyle() & treestyle::ShowRoot))
        return nullptr;
    return parent;
}

TreeViewNode* TreeKeyboard::right(TreeViewNode& focus) {
    if (!focus.canExpand())
        return nullptr;
    view_.expand(focus, true);
    return focus.isExpanded() ? focus.firstChild() : nullptr;
}

TreeViewNode* TreeKeyboard::pageDown(TreeViewNode& focus) {
    const int top = view_.nodeTop(focus);
    if (top < 0)
        return nullptr;
    view_.scrollTo(view_.scrollX(), top);
    const int limit = top + view_.viewportHeight();
    const VisibleWalk walk = view_.walk();
    TreeViewNode* target = &focus;
    int bottom = top + focus.rowHeight();
    for (TreeViewNode* n = walk.next(focus); n; n = walk.next(*n)) {
        bottom += n->rowHeight();
        if (bottom > limit)
            break;
        target = n;
    }
    // A row taller than the window still lets the key move on.
    return target == &focus ? walk.next(focus) : target;
}

TreeViewNode* TreeKeyboard::pageUp(TreeViewNode& focus) {
    const int top = view_.nodeTop(focus);
    if (top < 0)
        return nullptr;
    const int bottom = top + focus.rowHeight();
    view_.scrollTo(view_.scrollX(), bottom - view_.viewportHeight());
    const int limit = bottom - view_.viewportHeight();
    const VisibleWalk walk = view_.walk();
    TreeViewNode* target = &focus;
    int upper = top;
    for (TreeViewNode* n = walk.previous(focus); n; n = walk.previous(*n)) {
        upper -= n->rowHeight();
        if (upper < limit)
            break;
        target = n;
    }
    return target == &focus ? walk.previous(focus) : target;
}

void TreeKeyboard::moveTo(TreeViewNode& node, TreeModifiers keys) {
    if (keys.shift) {
        TreeViewNode* anchor = view_.anchorNode() ? view_.anchorNode() : view_.focusNode();
        if (!anchor)
            anchor = &node;
        view_.setAnchorNode(anchor);
        view_.selectRange(*anchor, node);
    } else if (!keys.ctrl) {
        view_.clearSelection();
        view_.select(node, true);
        view_.setAnchorNode(&node);
    }
    view_.setFocusNode(&node);
    view_.ensureVisible(node);
}

} // namespace qx
