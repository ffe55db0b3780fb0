#pragma once

#include "exchange/InternetShortcut.h"

#include <cstdint>
#include <span>
#include <vector>

namespace qx {

class DDoc;
class Ref;

// What the document does with nodes dropped on a node of the organizer tree.
// The node under the pointer becomes the parent when it can hold children (a
// folder, a saved search or the root); otherwise the new nodes go before it
// under its parent.
class RefDrop {
public:
    explicit RefDrop(Ref& under);

    Ref& parent() const { return *parent_; }
    Ref* before() const { return before_; }

    // Whether the nodes may go there: a move never into a node's own subtree.
    bool allows(std::span<Ref* const> nodes, bool fromOrganizer, std::uint32_t effect) const;
    // Nodes of the organizer tree are moved, copied or linked as new
    // references to the same pages; nodes of the domain tree are always
    // copied as organizer nodes. Nodes below another dropped node go with it.
    // Returns the number of nodes placed; the document is committed when > 0.
    int perform(DDoc& doc, std::span<Ref* const> nodes, bool fromOrganizer, std::uint32_t effect);
    // Links from other programs become references, filed in the domain tree.
    int links(DDoc& doc, const std::vector<exchange::DroppedLink>& links);

    static bool holdsChildren(const Ref& node);
    // The nodes without those that lie below another of them, in the order
    // of their tree: what a drop, a delete or a copy of a selection works on.
    static std::vector<Ref*> outermost(std::span<Ref* const> nodes);

private:
    Ref* place(DDoc& doc, Ref& node, bool fromOrganizer, std::uint32_t effect);

    Ref* parent_;
    Ref* before_ = nullptr;
};

} // namespace qx
