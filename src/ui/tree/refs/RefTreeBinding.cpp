#include "ui/tree/refs/RefTreeBinding.h"

#include "model/Object.h"
#include "model/ObjectProp.h"
#include "model/Ref.h"
#include "model/RefRoot.h"
#include "ui/tree/model/TreeViewModel.h"
#include "ui/tree/refs/RefTVNode.h"

#include <memory>

namespace qx {

namespace {

Ref* parentOf(const Ref& node) {
    return static_cast<Ref*>(node.parent());
}

Ref* asRef(Tree* tree) {
    return static_cast<Ref*>(tree);
}

TreeViewNode* rowOf(const Ref& node) {
    RefItem* item = RefItem::of(node);
    return item ? &item->treeNode() : nullptr;
}

// The row a new row for node goes before: the row of its first following
// sibling that has one; null for the end.
TreeViewNode* rowAfter(const Ref& node, TreeViewNode& parentRow) {
    // Rows keep the model's order, so when the previous sibling's row is the
    // last one no later sibling has a row: the common case while binding.
    if (!parentRow.hasChildren())
        return nullptr;
    if (Ref* prev = asRef(node.prevsibling()); prev && rowOf(*prev) == parentRow.lastChild())
        return nullptr;
    for (Ref* next = asRef(node.nextsibling()); next; next = asRef(next->nextsibling())) {
        if (TreeViewNode* row = rowOf(*next))
            return row;
    }
    return nullptr;
}

bool isHidden(const Ref& node) {
    return node.hasflags(Ref::kHiddenFlags);
}

bool isNeitherSearchNorNew(const Ref& node) {
    return !node.hasflags(Ref::SavedSearch | Ref::New);
}

} // namespace

RefTreeBinding::RefTreeBinding(TreeViewModel& view) : view_(view) {}

RefTreeBinding::~RefTreeBinding() {
    if (root_)
        forgetAll();
}

void RefTreeBinding::forgetAll() {
    // The rows go with the old top node.
    hiddenShown_.drop();
    gaps_.drop();
    forgetRows(*root_);
}

void RefTreeBinding::bind(RefRoot* root) {
    if (root_)
        forgetAll();
    root_ = root;
    if (!root) {
        view_.setRoot(std::make_unique<TreeViewRoot>());
        return;
    }
    auto top = std::make_unique<RefTVRoot>(*root, *this);
    RefTVRoot& row = *top;
    root->setviewitem(&row);
    // Built before the view sees it: one layout for the whole tree instead of
    // one notice per row.
    for (Ref* child = asRef(root->firstchild()); child; child = asRef(child->nextsibling()))
        addUnder(*child, row);
    view_.setRoot(std::move(top));
    view_.runPendingLayout();
}

void RefTreeBinding::add(Ref& node) {
    Ref* parent = parentOf(node);
    if (TreeViewNode* parentRow = parent ? rowOf(*parent) : nullptr)
        addUnder(node, *parentRow);
}

void RefTreeBinding::addUnder(Ref& top, TreeViewNode& topParentRow) {
    Ref* node = &top;
    while (node) {
        // Most nodes a rebuild passes already have rows: only the model node
        // is read for them, never the row, so the walk stays cheap.
        bool hasRow = node->viewitem() != nullptr;
        if (!hasRow && shows(*node)) {
            TreeViewNode& parentRow = node == &top ? topParentRow : *rowOf(*parentOf(*node));
            auto made = std::make_unique<RefTVNode>(*node);
            RefTVNode& fresh = *made;
            look(*node, fresh);
            parentRow.insertBefore(std::move(made), rowAfter(*node, parentRow));
            node->setviewitem(&fresh);
            if (isHidden(*node))
                hiddenShown_.insert(fresh);
            hasRow = true;
        } else if (!hasRow) {
            gaps_.insert(*RefItem::of(*parentOf(*node)));
        }
        // Below a node without a row nothing is shown.
        node = asRef(node->nextpreorder(&top, !hasRow));
    }
}

void RefTreeBinding::remove(Ref& node) {
    TreeViewNode* row = rowOf(node);
    if (!row)
        return;
    forgetRows(node);
    if (RefItem* parent = parentOf(node) ? RefItem::of(*parentOf(node)) : nullptr)
        gaps_.insert(*parent);
    if (row->parent())
        row->remove();
}

void RefTreeBinding::forgetRows(Ref& top) {
    Ref* node = &top;
    while (node) {
        RefItem* item = RefItem::of(*node);
        if (item && !hiddenShown_.empty())
            hiddenShown_.erase(*item);
        if (item && !gaps_.empty())
            gaps_.erase(*item);
        node->setviewitem(nullptr);
        // A row without child rows has no rows anywhere below it: the model's
        // child list, mostly cold, is not read for a leaf row.
        const bool rowsBelow = item && item->treeNode().hasChildren();
        node = asRef(node->nextpreorder(&top, !rowsBelow));
    }
}

void RefTreeBinding::refresh(Ref& node) {
    const TreeViewModel::Batch batch(view_);
    Ref* parent = parentOf(node);
    if (!parent) {
        for (Ref* child = asRef(node.firstchild()); child; child = asRef(child->nextsibling()))
            remove(*child);
        if (TreeViewNode* row = rowOf(node)) {
            row->setLabel(rowLabel(node));
            for (Ref* child = asRef(node.firstchild()); child; child = asRef(child->nextsibling()))
                addUnder(*child, *row);
        }
    } else {
        remove(node);
        add(node);
    }
    view_.runPendingLayout();
}

void RefTreeBinding::repaint(Ref& node) {
    if (TreeViewNode* row = rowOf(node))
        look(node, *row);
}

void RefTreeBinding::look(Ref& node, TreeViewNode& row) {
    row.setGrayed(isHidden(node));
    const RefImages images = imagesOf(node);
    row.setImage(0, static_cast<std::uint8_t>(1 + images.kind + images.row * kRowStride));
    row.setImage(1, static_cast<std::uint8_t>(images.status));
}

void RefTreeBinding::filterHidden() {
    // Every shown hidden node is in the set; it empties, as none stays shown.
    const TreeViewModel::Batch batch(view_);
    hiddenShown_.take(visit_);
    for (Ref* node : visit_) {
        // An ancestor's removal may already have taken the row.
        if (node->viewitem() && isHidden(*node))
            remove(*node);
    }
    view_.runPendingLayout();
}

void RefTreeBinding::hiddenChanged(Ref& node) {
    if (&node != root_)
        hiddenShown_.insert(*RefItem::of(node));
}

void RefTreeBinding::unshownBelow(Ref& node) {
    gaps_.insert(*RefItem::of(node));
}

void RefTreeBinding::filterNew() {
    dropWhere(isNeitherSearchNorNew);
}

void RefTreeBinding::dropWhere(bool (*drop)(const Ref&)) {
    if (!root_ || !root_->viewitem())
        return;
    // The walk reads the model nodes only: a node without a row has none
    // below it, and a dropped node takes its subtree along.
    const TreeViewModel::Batch batch(view_);
    Ref* node = asRef(root_->firstchild());
    while (node) {
        const bool hasRow = node->viewitem() != nullptr;
        const bool dropped = hasRow && drop(*node);
        Ref* next = asRef(node->nextpreorder(root_, !hasRow || dropped));
        if (dropped)
            remove(*node);
        node = next;
    }
    view_.runPendingLayout();
}

void RefTreeBinding::rebuild() {
    // A node without a row lies below one that has a row and is in the set,
    // or below another node without a row.
    const TreeViewModel::Batch batch(view_);
    gaps_.take(visit_);
    for (Ref* parent : visit_) {
        TreeViewNode* row = rowOf(*parent);
        for (Ref* child = asRef(parent->firstchild()); row && child;
             child = asRef(child->nextsibling())) {
            if (!child->viewitem())
                addUnder(*child, *row);
        }
    }
    view_.runPendingLayout();
}

void RefTreeBinding::expanded(TreeViewNode& node, bool on) {
    Ref& ref = refOf(node);
    if (on)
        ref.addflags(Ref::Expanded);
    else
        ref.clearflags(Ref::Expanded);
}

RefStatus RefTreeBinding::status() const {
    RefStatus status;
    status.selected = view_.selectedCount();
    if (status.selected == 1) {
        status.url = addressOf(refOf(*view_.firstSelected()));
    } else if (status.selected > 1) {
        for (TreeViewNode* n = view_.firstSelected(); n; n = n->nextSelected())
            status.folders += refOf(*n).target() == nullptr;
    }
    return status;
}

std::string RefTreeBinding::addressOf(const Ref& node) {
    for (const Ref* n = &node; n;) {
        if (const Object* target = n->target(); target && !target->props().url.empty())
            return std::string(target->props().url.view());
        const Ref* child = asRef(n->firstchild());
        while (child && !shows(*child))
            child = asRef(child->nextsibling());
        n = child;
    }
    return {};
}

RefImages RefTreeBinding::imagesOf(const Ref& node) {
    RefImages images;
    // The node's own rule says when it is faded: a page never read from the
    // web, a folder, a reference without an address; a saved search never.
    const RefIcon icon = node.icon();
    images.kind = icon.image;
    images.row = icon.dimmed ? 1 : 0;
    const RefStateIcon state = node.stateicon();
    images.status = state.kind != 0 ? state.image : 0;
    return images;
}

bool RefTreeBinding::shows(const Ref& node) {
    return node.isvisible();
}

std::vector<Ref*> RefTreeBinding::selection() const {
    std::vector<Ref*> nodes;
    for (TreeViewNode* n = view_.firstSelected(); n; n = n->nextSelected())
        nodes.push_back(&refOf(*n));
    return nodes;
}

} // namespace qx
