#pragma once

#include "model/DomainIndex.h"
#include "model/TargetIndex.h"

#include <cstdint>
#include <memory>

namespace qx {

class DocViews;
class DocWorkers;
class Object;
class Ref;
class RefRoot;

// The changes every tree operation of a document is made of: linking,
// unlinking, destroying and retargeting nodes. Each keeps the document's
// indexes, the target counts and the views in step, so that the operations
// above never touch the lists directly.
class TreeEdit {
public:
    TreeEdit(RefRoot& orgroot, RefRoot& domainroot);

    void setviews(DocViews* views) { views_ = views; }
    void setworkers(DocWorkers* workers) { workers_ = workers; }
    DomainIndex& domainindex() { return domainindex_; }
    TargetIndex& targets() { return targets_; }

    bool indomain(const Ref& node) const;

    // Links a free node, with any subtree it carries, under parent before
    // `before` (at the end when there is none or it is not a child of parent).
    Ref& link(Ref& parent, std::unique_ptr<Ref> node, Ref* before);
    // The same, then gives it a view item when the parent has one and it is
    // visible.
    Ref& insert(Ref& parent, std::unique_ptr<Ref> node, Ref* before);
    // Moves a node of this document: its view item goes, it is relinked, and
    // it gets an item again when it had one and the new parent has one. A
    // root, a move before itself and a move into its own subtree do nothing.
    void move(Ref& parent, Ref& node, Ref* before);
    // Takes a node out of its parent, view and indexes; the caller owns it.
    std::unique_ptr<Ref> takeout(Ref& node);
    // Removes the view item, tells the workers, and destroys the node with its
    // subtree (each node releasing its target). Roots are never destroyed.
    void destroy(Ref& node);
    // Tells the workers to forget the jobs of the node and its subtree.
    void dropjobs(Ref& node);
    // Destroys without telling the workers (they were told for a subtree).
    void discard(Ref& node);
    // Counted: the old target loses a reference, the new one gains one.
    void settarget(Ref& node, Object* target);
    // Links a node under parent before `before` (at the end when there is
    // none or it is not a child of parent), and unlinks it: the list and the
    // domain index only, for moves that put a node back at once.
    void attach(Ref& parent, Ref& node, Ref* before);
    void detach(Ref& node);
    // The order of the parent's children changed behind the index's back.
    void reordered(Ref& parent) { domainindex_.forget(parent); }

    // The view side, each only when there are views and the node has an item
    // (showitem: when its parent has one and the node is visible).
    void showitem(Ref& node);
    void removeitem(Ref& node);
    void refreshitem(Ref& node);
    void repaint(Ref& node);
    // The node's label changed.
    void settext(Ref& node);
    DocViews* views() const { return views_; }
    // Grows whenever a node is linked somewhere or destroyed, so that a
    // helper keeping pointers into the trees can tell when to rebuild.
    std::uint64_t stamp() const { return stamp_; }
    void touch() { ++stamp_; }

private:
    // Every node of the subtree enters or leaves the indexes.
    void indexsubtree(Ref& top, bool add);

    RefRoot& domainroot_;
    DocViews* views_ = nullptr;
    DocWorkers* workers_ = nullptr;
    DomainIndex domainindex_;
    TargetIndex targets_;
    std::uint64_t stamp_ = 0;
};

} // namespace qx
