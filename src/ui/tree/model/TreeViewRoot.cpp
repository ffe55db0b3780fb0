#include "ui/tree/model/TreeViewRoot.h"

namespace qx {

TreeViewRoot::TreeViewRoot(std::string label) : TreeViewNode(std::move(label)) {
    // A hidden root is always open; a shown one starts open.
    setStateBits(Expanded, true);
}

bool TreeViewRoot::isLinked(const TreeViewNode& node) const {
    return node.selPrev_ || selFirst_ == &node;
}

void TreeViewRoot::linkSelected(TreeViewNode& node) {
    if (isLinked(node))
        return;
    node.selPrev_ = selLast_;
    node.selNext_ = nullptr;
    (selLast_ ? selLast_->selNext_ : selFirst_) = &node;
    selLast_ = &node;
    ++selCount_;
}

void TreeViewRoot::unlinkSelected(TreeViewNode& node) {
    if (!isLinked(node))
        return;
    (node.selPrev_ ? node.selPrev_->selNext_ : selFirst_) = node.selNext_;
    (node.selNext_ ? node.selNext_->selPrev_ : selLast_) = node.selPrev_;
    node.selPrev_ = node.selNext_ = nullptr;
    --selCount_;
}

} // namespace qx
