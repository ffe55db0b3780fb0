#include "ui/tree/refs/RefDrop.h"

#include "exchange/DropEffects.h"
#include "model/DDoc.h"
#include "model/ObjectProp.h"
#include "model/OrgProp.h"
#include "model/OrgRef2.h"
#include "model/Ref.h"
#include "model/RefRoot.h"

#include <algorithm>
#include <unordered_set>

namespace qx {

RefDrop::RefDrop(Ref& under) : parent_(&under) {
    if (!holdsChildren(under)) {
        parent_ = static_cast<Ref*>(under.parent());
        before_ = &under;
    }
}

bool RefDrop::holdsChildren(const Ref& node) {
    return !node.parent() || node.hasflags(Ref::SavedSearch) || !node.target();
}

std::vector<Ref*> RefDrop::outermost(std::span<Ref* const> nodes) {
    // A selection may hold every node of a document: each node looks up its
    // own ancestors among the chosen ones instead of asking every other node.
    const std::unordered_set<const Tree*> chosen(nodes.begin(), nodes.end());
    std::unordered_set<const Ref*> taken;
    std::vector<Ref*> out;
    for (Ref* node : nodes) {
        if (!node || !node->parent() || taken.contains(node))
            continue;
        bool below = false;
        for (const Tree* up = node->parent(); up && !below; up = up->parent())
            below = chosen.contains(up);
        if (!below) {
            taken.insert(node);
            out.push_back(node);
        }
    }
    if (out.size() < 2)
        return out;
    // In the order of the tree, not of the clicks: moved, copied or pasted
    // together they keep the order they were seen in. The walk ends at the
    // last of them and passes over their subtrees.
    std::vector<Ref*> ordered;
    ordered.reserve(out.size());
    Tree* root = out.front()->root();
    for (Tree* t = root; t && ordered.size() < out.size();) {
        if (taken.contains(static_cast<const Ref*>(t))) {
            ordered.push_back(static_cast<Ref*>(t));
            t = t->nextpreorder(root, true);
        } else {
            t = t->nextpreorder(root);
        }
    }
    return ordered;
}

bool RefDrop::allows(std::span<Ref* const> nodes, bool fromOrganizer, std::uint32_t effect) const {
    if (!parent_ || nodes.empty())
        return false;
    if (!fromOrganizer || effect != dropeffect::Move)
        return true;
    return std::none_of(nodes.begin(), nodes.end(), [this](const Ref* node) {
        return node == parent_ || parent_->isdescendant(node) || node == before_;
    });
}

Ref* RefDrop::place(DDoc& doc, Ref& node, bool fromOrganizer, std::uint32_t effect) {
    if (!fromOrganizer)
        return doc.copyasorganizer(node, *parent_, before_);
    switch (effect) {
    case dropeffect::Move:
        doc.move(*parent_, node, before_);
        return &node;
    case dropeffect::Link:
        if (node.target())
            return &doc.createresult(node.target(), nullptr, *parent_, before_, false);
        return nullptr;
    default:
        return doc.copysubtree(node, *parent_, before_);
    }
}

int RefDrop::perform(DDoc& doc, std::span<Ref* const> nodes, bool fromOrganizer,
                     std::uint32_t effect) {
    if (!allows(nodes, fromOrganizer, effect))
        return 0;
    int placed = 0;
    for (Ref* node : outermost(nodes)) {
        if (place(doc, *node, fromOrganizer, effect))
            ++placed;
    }
    if (placed > 0)
        doc.commit();
    return placed;
}

int RefDrop::links(DDoc& doc, const std::vector<exchange::DroppedLink>& links) {
    if (!parent_)
        return 0;
    // Built in a document of their own, then moved in as a paste is: their
    // pages join the same pages of this document or are filed as new ones.
    DDoc incoming;
    incoming.setlabeltexts(&doc.labeltexts());
    for (const exchange::DroppedLink& link : links) {
        ObjectProp props;
        props.url = Str(link.url);
        props.title = Str(link.title);
        incoming.createresultobject(props, OrgProp{}, incoming.orgroot(), nullptr);
    }
    const int count = static_cast<int>(links.size());
    if (count == 0)
        return 0;
    Ref* last = static_cast<Ref*>(parent_->lastchild());
    doc.pasteinto(incoming, *parent_);
    if (before_) {
        Ref* first = last ? static_cast<Ref*>(last->nextsibling())
                          : static_cast<Ref*>(parent_->firstchild());
        while (first) {
            Ref* next = static_cast<Ref*>(first->nextsibling());
            doc.move(*parent_, *first, before_);
            first = next;
        }
    }
    doc.commit();
    return count;
}

} // namespace qx
