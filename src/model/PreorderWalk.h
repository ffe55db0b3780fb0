#pragma once

namespace qx {

class Tree;

// A cursor that walks a subtree in pre-order, forward or backward, never
// leaving it. With a depth limit, nodes that many levels below the top are
// visited but not entered. Going backward visits exactly the nodes going
// forward would, in the reverse order.
class PreorderWalk {
public:
    // Starts at top; a negative limit means none.
    explicit PreorderWalk(Tree& top, int depthlimit = -1);
    // Starts at from, which must lie in top's subtree (else the walk is over).
    PreorderWalk(Tree& top, Tree& from, int depthlimit = -1);

    // Null once the walk has left the subtree.
    Tree* current() const { return node_; }
    Tree* next();
    Tree* prev();

private:
    bool mayenter(int depth) const { return limit_ < 0 || depth < limit_; }

    Tree* top_;
    Tree* node_;
    int depth_ = 0; // of node_, below top_
    int limit_;
};

} // namespace qx
