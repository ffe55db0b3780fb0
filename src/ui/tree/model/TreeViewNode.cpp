#include "ui/tree/model/TreeViewNode.h"

#include "ui/tree/model/ChildRows.h"
#include "ui/tree/model/TreeViewModel.h"
#include "ui/tree/model/TreeViewRoot.h"

#include <bit>
#include <cstring>

namespace qx {

TreeViewNode::TreeViewNode(std::string label)
    : labelChars_(countChars(label)), label_(std::move(label)) {}

int TreeViewNode::countChars(const std::string& utf8) {
    // UTF-8 continuation bytes (10xxxxxx) do not start a character. Counted
    // eight bytes at a time: every row made pays for it.
    constexpr std::uint64_t kTopBits = 0x8080808080808080ull;
    const std::size_t size = utf8.size();
    std::size_t continuations = 0;
    std::size_t at = 0;
    for (; at + sizeof(std::uint64_t) <= size; at += sizeof(std::uint64_t)) {
        std::uint64_t word;
        std::memcpy(&word, utf8.data() + at, sizeof word);
        // Bit 7 set and bit 6 clear: bit 6 is shifted under bit 7 of its byte.
        continuations += static_cast<std::size_t>(std::popcount(word & ~(word << 1) & kTopBits));
    }
    for (; at < size; ++at)
        continuations += (static_cast<unsigned char>(utf8[at]) & 0xC0) == 0x80;
    return static_cast<int>(size - continuations);
}

TreeViewNode::~TreeViewNode() {
    if (parent_) {
        // Destroyed while still linked: leave the view and the parent first,
        // while the subtree is whole for the view to forget.
        if (TreeViewModel* v = view())
            v->nodeLeaving(*this, false);
        unlink();
    }
    deleteChildren();
}

int TreeViewNode::depth() const {
    int d = 0;
    for (const TreeViewNode* n = parent_; n; n = n->parent_)
        ++d;
    return d;
}

bool TreeViewNode::isDescendantOf(const TreeViewNode* ancestor) const {
    for (const TreeViewNode* n = parent_; n; n = n->parent_) {
        if (n == ancestor)
            return true;
    }
    return false;
}

TreeViewNode* TreeViewNode::nextInSubtree(const TreeViewNode* top) const {
    if (first_)
        return first_;
    for (const TreeViewNode* n = this; n && n != top; n = n->parent_) {
        if (n->next_)
            return n->next_;
    }
    return nullptr;
}

TreeViewRoot* TreeViewNode::root() {
    TreeViewNode* n = this;
    while (n->parent_)
        n = n->parent_;
    return n->asRoot();
}

TreeViewModel* TreeViewNode::view() {
    TreeViewRoot* r = root();
    return r ? r->view() : nullptr;
}

void TreeViewNode::setLabel(std::string label) {
    if (label == label_)
        return;
    label_ = std::move(label);
    labelChars_ = countChars(label_);
    layout_ |= NeedsMeasure;
    markPlace();
    if (TreeViewModel* v = view())
        v->nodeChanged(*this, true);
}

void TreeViewNode::setImage(int which, std::uint8_t index) {
    std::uint8_t& slot = images_[which != 0];
    if (slot == index)
        return;
    slot = index;
    // The label moves with the image area: the node is placed again.
    markPlace();
    if (TreeViewModel* v = view())
        v->nodeChanged(*this, true);
}

void TreeViewNode::setLook(std::uint16_t mask, bool on) {
    const std::uint16_t before = state_;
    setStateBits(mask, on);
    if (state_ == before)
        return;
    if (TreeViewModel* v = view())
        v->nodeChanged(*this, false);
}

void TreeViewNode::setStateBits(std::uint16_t mask, bool on) {
    state_ =
        on ? static_cast<std::uint16_t>(state_ | mask) : static_cast<std::uint16_t>(state_ & ~mask);
}

void TreeViewNode::expand(bool on) {
    if (TreeViewModel* v = view()) {
        v->expand(*this, on);
    } else {
        setStateBits(Expanded, on);
        markStructure();
    }
}

void TreeViewNode::select(bool on) {
    if (TreeViewModel* v = view())
        v->select(*this, on);
    else
        setStateBits(Selected, on);
}

void TreeViewNode::makeFocus() {
    if (TreeViewModel* v = view())
        v->setFocusNode(this);
}

bool TreeViewNode::accepts(const TreeViewNode* node, const TreeViewNode* before) const {
    if (before && before->parent_ != this)
        return false;
    return node != this && !isDescendantOf(node);
}

TreeViewNode* TreeViewNode::insertNode(std::unique_ptr<TreeViewNode>&& node, TreeViewNode* before) {
    if (!node || node->parent_ || node->asRoot() || !accepts(node.get(), before))
        return nullptr;
    TreeViewNode* n = node.release();
    n->link(this, before);
    if (TreeViewModel* v = view())
        v->nodeArrived(*n);
    return n;
}

TreeViewNode* TreeViewNode::append(std::unique_ptr<TreeViewNode>&& node) {
    return insertNode(std::move(node), nullptr);
}

TreeViewNode* TreeViewNode::insertBefore(std::unique_ptr<TreeViewNode>&& node,
                                         TreeViewNode* sibling) {
    return insertNode(std::move(node), sibling);
}

TreeViewNode* TreeViewNode::insertAfter(std::unique_ptr<TreeViewNode>&& node,
                                        TreeViewNode* sibling) {
    if (sibling && sibling->parent_ != this)
        return nullptr;
    return insertNode(std::move(node), sibling ? sibling->next_ : first_);
}

bool TreeViewNode::moveTo(TreeViewNode* newParent, TreeViewNode* before) {
    if (!parent_ || !newParent || before == this || !newParent->accepts(this, before))
        return false;
    if (newParent == parent_ && before == next_)
        return true;
    TreeViewModel* from = view();
    TreeViewModel* to = newParent->view();
    if (from)
        from->nodeLeaving(*this, from == to);
    unlink();
    link(newParent, before);
    // The subtree now sits at another depth: every node in it is placed afresh.
    for (TreeViewNode* n = this; n; n = n->nextInSubtree(this))
        n->layoutGen_ = 0;
    if (to)
        to->nodeArrived(*this);
    return true;
}

std::unique_ptr<TreeViewNode> TreeViewNode::detach() {
    if (!parent_)
        return nullptr;
    if (TreeViewModel* v = view())
        v->nodeLeaving(*this, false);
    unlink();
    for (TreeViewNode* n = this; n; n = n->nextInSubtree(this))
        n->layoutGen_ = 0;
    return std::unique_ptr<TreeViewNode>(this);
}

void TreeViewNode::remove() {
    // The returned owner goes out of scope here and destroys the subtree.
    detach();
}

void TreeViewNode::removeChildren() {
    while (first_)
        first_->remove();
}

void TreeViewNode::link(TreeViewNode* parent, TreeViewNode* before) {
    parent_ = parent;
    next_ = before;
    prev_ = before ? before->prev_ : parent->last_;
    (prev_ ? prev_->next_ : parent->first_) = this;
    (next_ ? next_->prev_ : parent->last_) = this;
    parent->markStructure();
    layout_ |= NeedsMeasure | NeedsPlace;
}

void TreeViewNode::unlink() {
    TreeViewNode* p = parent_;
    (prev_ ? prev_->next_ : p->first_) = next_;
    (next_ ? next_->prev_ : p->last_) = prev_;
    parent_ = prev_ = next_ = nullptr;
    p->markStructure();
}

void TreeViewNode::deleteChildren() {
    TreeViewNode* c = first_;
    first_ = last_ = nullptr;
    while (c) {
        TreeViewNode* n = c->next_;
        c->parent_ = nullptr; // its destructor must not unlink from us
        delete c;
        c = n;
    }
}

ChildRows& TreeViewNode::rows() {
    if (!rows_)
        rows_ = std::make_unique<ChildRows>();
    return *rows_;
}

void TreeViewNode::markPlace() {
    // Every node on the way up learns that something below it moved; a parent
    // keeps a list of such children so that the next layout pass visits only
    // them instead of all its children.
    for (TreeViewNode* n = this; n; n = n->parent_) {
        if (n->layout_ & NeedsPlace)
            continue;
        n->layout_ |= NeedsPlace;
        if (n->parent_)
            n->parent_->rows().dirty().push_back(n);
    }
}

void TreeViewNode::markStructure() {
    flags_ |= Restructured;
    // The list may name a child that is leaving; a restructured node walks all
    // its children anyway.
    if (rows_)
        rows_->dirty().clear();
    markPlace();
}

} // namespace qx
