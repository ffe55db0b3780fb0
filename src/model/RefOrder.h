#pragma once

#include "model/List.h"

#include <cstdint>

namespace qx {

// The orders in which sibling reference nodes are sorted, and the placement of
// results under a saved search. Each order answers negative, 0 or positive for
// a before, with or after b, as List::sort takes it.
class RefOrder {
public:
    // The targets' modified dates, earlier first; a date that names no moment
    // comes first; two such dates are equal, and so is anything against a node
    // without target.
    static int bydate(const Node* a, const Node* b);
    // b's sequence minus a's (0 unless both are results, OrgRef2).
    static int bysequence(const Node* a, const Node* b);
    // The names, ignoring letter case, in the user's collation.
    static int byname(const Node* a, const Node* b);
    // Host names from the right: the pieces after the last dot (or, with no
    // dot, after the last slash) as byname compares them, then what is left
    // before them the same way; a text with neither is compared whole.
    static int byhost(const Node* a, const Node* b);
    // The hosts' counts (0 unless both are hosts, DomainRef).
    static int byhostcount(const Node* a, const Node* b);

    // The order of results under a saved search for a result order: by sequence
    // (0) or by date (1); null for any other value, which places nothing.
    static List::Compare resultcompare(std::uint32_t resultorder);
    // Where a result belongs among the children of parent: the child to link
    // it before (null: at the end). Scanning from the last child, skipping the
    // node itself, it goes right after the first child c for which
    // compare(node, c) <= 0, and first when there is none.
    static Node* resultposition(const List& parent, const Node* node, List::Compare compare);
    // Whether a linked result may stay where it is: neither its previous
    // sibling should come after it nor its next sibling before it.
    static bool resultinorder(const Node* node, List::Compare compare);
};

} // namespace qx
