#pragma once

namespace qx {

class List;
class iwstream;
class owstream;

// A member of an intrusive doubly linked List. Nodes live on the heap and are
// owned by the list that holds them; destroying a node unlinks it first.
class Node {
public:
    Node() = default;
    virtual ~Node();
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;

    List* owner() const { return owner_; }
    Node* next() const { return next_; }
    Node* prev() const { return prev_; }

    // Generic persistence through List::writeall and List::readall: whether the
    // node is written at all, its kind, its data, and reading its data back.
    // Results are 0 for success.
    virtual bool persist() const;
    virtual int writekind(owstream& out) const;
    virtual int writedata(owstream& out) const;
    virtual int readdata(iwstream& in, int version);

private:
    friend class List;
    List* owner_ = nullptr;
    Node* prev_ = nullptr;
    Node* next_ = nullptr;
};

} // namespace qx
