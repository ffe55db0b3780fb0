#include "model/Tree.h"

#include "stream/otwstream.h"

namespace qx {

Tree::~Tree() {
    // The subtree goes one node at a time without recursion, so that a deep
    // tree (a crafted document, for one) cannot exhaust the stack: the children
    // of a child move up into this list before the child is deleted.
    while (Node* child = first()) {
        Tree* sub = dynamic_cast<Tree*>(child);
        while (Node* grandchild = sub ? sub->first() : nullptr) {
            sub->detach(grandchild);
            linkbefore(grandchild, child);
        }
        delete child;
    }
}

RefTree* Tree::asreftree() {
    return nullptr;
}

Tree* Tree::parent() const {
    return owner() ? owner()->astree() : nullptr;
}

Tree* Tree::root() {
    Tree* node = this;
    while (Tree* up = node->parent()) {
        node = up;
    }
    return node;
}

const Tree* Tree::root() const {
    return const_cast<Tree*>(this)->root();
}

int Tree::depth() const {
    int n = 0;
    for (const Tree* up = parent(); up; up = up->parent()) {
        ++n;
    }
    return n;
}

bool Tree::isdescendant(const Tree* of) const {
    for (const Tree* up = parent(); up; up = up->parent()) {
        if (up == of) {
            return true;
        }
    }
    return false;
}

int Tree::sortall(Compare compare, bool descending) {
    for (Tree* node = this; node; node = node->nextpreorder(this)) {
        if (node->sort(compare, descending)) {
            return -1;
        }
    }
    return 0;
}

Tree* Tree::nextpreorder(const Tree* top, bool skipchildren) const {
    if (!skipchildren && !empty()) {
        return firstchild();
    }
    for (const Tree* node = this; node && node != top; node = node->parent()) {
        if (node->next()) {
            return node->nextsibling();
        }
    }
    return nullptr;
}

bool Tree::childindump() const {
    return true;
}

void Tree::dumpself(otwstream& out) const {
    out.puts("Tree ");
    out.putptr(this);
}

void Tree::dumpdepth(otwstream& out) const {
    for (int i = depth(); i > 0; --i) {
        out.indent();
    }
    dumpself(out);
    out.endl();
}

void Tree::dumptree(otwstream& out, int level) const {
    // A pre-order walk that keeps the level as it goes down and up; a node
    // whose childindump() is false is left out with its subtree.
    auto after = [this, &level](const Tree* node) -> const Tree* {
        for (; node != this && !node->next(); node = node->parent()) {
            --level;
        }
        return node == this ? nullptr : node->nextsibling();
    };
    for (const Tree* node = this; node;) {
        for (int i = level; i > 0; --i) {
            out.indent();
        }
        node->dumpself(out);
        out.endl();
        const Tree* next = node->firstchild();
        if (next) {
            ++level;
        } else {
            next = after(node);
        }
        while (next && !next->childindump()) {
            next = after(next);
        }
        node = next;
    }
}

Tree* Tree::astree() {
    return this;
}

} // namespace qx
