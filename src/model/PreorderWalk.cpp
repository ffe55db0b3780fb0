#include "model/PreorderWalk.h"

#include "model/Tree.h"

namespace qx {

PreorderWalk::PreorderWalk(Tree& top, int depthlimit)
    : top_(&top), node_(&top), limit_(depthlimit) {}

PreorderWalk::PreorderWalk(Tree& top, Tree& from, int depthlimit)
    : top_(&top), node_(&from), limit_(depthlimit) {
    for (Tree* up = &from; up != &top; up = up->parent()) {
        if (!up) {
            node_ = nullptr;
            return;
        }
        ++depth_;
    }
}

Tree* PreorderWalk::next() {
    if (!node_)
        return nullptr;
    if (mayenter(depth_) && node_->firstchild()) {
        node_ = node_->firstchild();
        ++depth_;
        return node_;
    }
    for (Tree* up = node_; up != top_; up = up->parent(), --depth_) {
        if (up->nextsibling()) {
            node_ = up->nextsibling();
            return node_;
        }
    }
    node_ = nullptr;
    return nullptr;
}

Tree* PreorderWalk::prev() {
    if (!node_)
        return nullptr;
    if (node_ == top_) {
        node_ = nullptr;
        return nullptr;
    }
    if (Tree* sibling = node_->prevsibling()) {
        node_ = sibling;
        while (mayenter(depth_) && node_->lastchild()) {
            node_ = node_->lastchild();
            ++depth_;
        }
        return node_;
    }
    node_ = node_->parent();
    --depth_;
    return node_;
}

} // namespace qx
