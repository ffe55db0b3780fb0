#pragma once

#include "model/Node.h"

#include <cstddef>

namespace qx {

class Tree;

// An intrusive doubly linked list that owns its nodes: clearing or destroying
// it deletes them, first to last.
class List {
public:
    // Negative, 0 or positive as a belongs before, with or after b.
    using Compare = int (*)(const Node* a, const Node* b);
    // Non-zero stops find and foreach.
    using Predicate = int (*)(Node* node, void* data);
    // Makes the next node of a stream for readall; null when the stream holds
    // nothing it knows.
    using Factory = Node* (*)(iwstream& in, int version);

    List() = default;
    virtual ~List();
    List(const List&) = delete;
    List& operator=(const List&) = delete;

    // Links node right after position (at the end when there is none). A node
    // in another list is unlinked from it first; a position outside this list
    // counts as none; a null node or one equal to position is ignored.
    void append(Node* node, Node* position = nullptr);
    // The mirror image: right before position, at the front when none.
    void insert(Node* node, Node* position = nullptr);
    // Takes the node out of this list (only if this list holds it) without
    // deleting it.
    virtual void unlink(Node* node);

    std::size_t count() const { return count_; }
    bool empty() const { return count_ == 0; }
    // The node at a position, null past the end.
    Node* nth(std::size_t index) const;
    Node* first() const { return first_; }
    Node* last() const { return last_; }

    // Reorders the nodes by compare (reversed when descending); equal nodes keep
    // their order. -1 when memory runs out, the list then unchanged; else 0.
    int sort(Compare compare, bool descending);
    // The first node for which the predicate answers non-zero, or null.
    Node* find(Predicate predicate, void* data) const;
    // Calls fn on every node in order until it answers non-zero, and returns
    // that answer (0 after the last node). The node may unlink itself.
    int foreach (Predicate fn, void* data);
    void clear();

    // A 16-bit count of the nodes that persist, then each one's kind and data.
    // The first non-zero result is returned; -1 when the stream failed on the
    // count. At most 65535 nodes are written, so that the count stays true.
    int writeall(owstream& out) const;
    // Reads a list written by writeall and appends its nodes: 1 when the
    // factory knows no node, a node's own non-zero result (the node is then
    // deleted), -1 when the count could not be read.
    int readall(iwstream& in, int version, Factory factory);

    // The tree whose children this list holds, or null for a plain list.
    virtual Tree* astree();

private:
    friend class Node;
    friend class Tree;
    void linkafter(Node* node, Node* position);
    void linkbefore(Node* node, Node* position);
    void detach(Node* node);
    void takeout(Node* node);

    Node* first_ = nullptr;
    Node* last_ = nullptr;
    std::size_t count_ = 0;
};

} // namespace qx
