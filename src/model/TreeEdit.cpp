#include "model/TreeEdit.h"

#include "model/DocViews.h"
#include "model/DocWorkers.h"
#include "model/Object.h"
#include "model/RefRoot.h"

namespace qx {

TreeEdit::TreeEdit(RefRoot& orgroot, RefRoot& domainroot)
    : domainroot_(domainroot), targets_(orgroot, domainroot) {}

bool TreeEdit::indomain(const Ref& node) const {
    return node.root() == &domainroot_;
}

Ref& TreeEdit::link(Ref& parent, std::unique_ptr<Ref> node, Ref* before) {
    Ref& linked = *node.release(); // the parent's child list owns it from here
    attach(parent, linked, before);
    indexsubtree(linked, true);
    return linked;
}

Ref& TreeEdit::insert(Ref& parent, std::unique_ptr<Ref> node, Ref* before) {
    Ref& linked = link(parent, std::move(node), before);
    showitem(linked);
    return linked;
}

void TreeEdit::move(Ref& parent, Ref& node, Ref* before) {
    if (!node.parent() || before == &node || &parent == &node || parent.isdescendant(&node))
        return;
    const bool hadItem = node.viewitem() != nullptr;
    removeitem(node);
    const bool wasdomain = indomain(node);
    detach(node);
    attach(parent, node, before);
    if (wasdomain && !indomain(node)) {
        for (Tree* n = &node; n; n = n->nextpreorder(&node))
            domainindex_.forget(*static_cast<Ref*>(n));
    }
    if (hadItem)
        showitem(node);
    else if (ViewItem* item = parent.viewitem())
        // Left without an item as before; the view may show it later.
        item->childunshown();
}

std::unique_ptr<Ref> TreeEdit::takeout(Ref& node) {
    removeitem(node);
    indexsubtree(node, false);
    detach(node);
    return std::unique_ptr<Ref>(&node);
}

void TreeEdit::destroy(Ref& node) {
    if (!node.parent())
        return; // the roots belong to the document
    dropjobs(node);
    discard(node);
}

void TreeEdit::dropjobs(Ref& node) {
    if (workers_)
        workers_->dropjobs(node);
}

void TreeEdit::discard(Ref& node) {
    ++stamp_;
    if (node.parent())
        takeout(node).reset();
}

void TreeEdit::settarget(Ref& node, Object* target) {
    Object* old = node.target();
    if (old == target)
        return;
    targets_.removed(node);
    if (old)
        old->release();
    node.settarget(target);
    if (target)
        target->addref();
    targets_.added(node);
}

std::vector<Ref*> TreeEdit::taketouched() {
    std::vector<Ref*> parents(touched_.begin(), touched_.end());
    touched_.clear();
    return parents;
}

void TreeEdit::showitem(Ref& node) {
    const auto* parent = static_cast<const Ref*>(node.parent());
    if (!views_ || node.viewitem() || !parent || !parent->viewitem())
        return;
    if (node.isvisible())
        views_->additem(node);
    else
        // The view learns where a node waits unshown, so that showing more
        // later looks there instead of walking the whole tree.
        parent->viewitem()->childunshown();
}

void TreeEdit::removeitem(Ref& node) {
    if (views_ && node.viewitem())
        views_->removeitem(node);
}

void TreeEdit::refreshitem(Ref& node) {
    if (views_ && node.viewitem())
        views_->refreshitem(node);
}

void TreeEdit::repaint(Ref& node) {
    if (views_ && node.viewitem())
        views_->repaint(node);
}

void TreeEdit::settext(Ref& node) {
    node.updateview();
}

void TreeEdit::attach(Ref& parent, Ref& node, Ref* before) {
    ++stamp_;
    if (before && before->parent() == &parent)
        parent.insert(&node, before);
    else
        parent.append(&node);
    touched_.insert(&parent);
    if (indomain(parent))
        domainindex_.linked(node);
}

void TreeEdit::detach(Ref& node) {
    Tree* parent = node.parent();
    if (!parent)
        return;
    if (indomain(node))
        domainindex_.unlinking(node);
    touched_.insert(static_cast<Ref*>(parent));
    parent->unlink(&node);
}

void TreeEdit::indexsubtree(Ref& top, bool add) {
    for (Tree* n = &top; n; n = n->nextpreorder(&top)) {
        Ref& node = *static_cast<Ref*>(n);
        if (add) {
            targets_.added(node);
        } else {
            targets_.removed(node);
            domainindex_.forget(node);
            touched_.erase(&node);
        }
    }
}

} // namespace qx
