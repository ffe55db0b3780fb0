#pragma once

#include "model/List.h"

namespace qx {

class RefTree;
class otwstream;

// A node that is also the list of its children. The parent of a tree node is
// the tree whose child list holds it; the children of a tree are trees.
// Destroying a tree node deletes its whole subtree, then unlinks it.
class Tree : public Node, public List {
public:
    Tree() = default;
    ~Tree() override;

    Tree* parent() const;
    // The topmost ancestor, or this node when it has no parent.
    Tree* root();
    const Tree* root() const;
    // The number of ancestors.
    int depth() const;
    // Whether `of` is a proper ancestor of this node (a node is not its own
    // descendant).
    bool isdescendant(const Tree* of) const;
    // Sorts every child list of the subtree. -1 when memory ran out.
    int sortall(Compare compare, bool descending);

    Tree* firstchild() const { return static_cast<Tree*>(first()); }
    Tree* lastchild() const { return static_cast<Tree*>(last()); }
    Tree* nextsibling() const { return static_cast<Tree*>(next()); }
    Tree* prevsibling() const { return static_cast<Tree*>(prev()); }
    // The next node of a pre-order walk that never leaves the subtree of top:
    // the first child (unless skipchildren), else the next sibling, else the
    // next sibling of the nearest ancestor that has one. Null at the end.
    Tree* nextpreorder(const Tree* top, bool skipchildren = false) const;
    // This node as a reference node, or null. Resolving the targets of a
    // loaded tree asks it of every node: a virtual call, where a dynamic cast
    // compared type names.
    virtual RefTree* asreftree();

    // Debug dump. childindump filters the children dumptree shows; dumpself
    // writes the node's own fields; dumpdepth writes them indented by the
    // node's depth; dumptree writes the subtree indented from level on.
    virtual bool childindump() const;
    virtual void dumpself(otwstream& out) const;
    virtual void dumpdepth(otwstream& out) const;
    virtual void dumptree(otwstream& out, int level) const;

    Tree* astree() override;
};

} // namespace qx
