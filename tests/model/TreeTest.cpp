#include "model/Tree.h"
#include "stream/otmwstream.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qx {
namespace {

class Named : public Tree {
public:
    explicit Named(std::string name, bool shown = true) : name(std::move(name)), shown(shown) {}
    bool childindump() const override { return shown; }
    void dumpself(otwstream& out) const override { out.puts(name.c_str()); }
    std::string name;
    bool shown;
};

Named* add(Tree& parent, const std::string& name, bool shown = true) {
    auto* node = new Named(name, shown);
    parent.append(node);
    return node;
}

std::string names(const Tree& parent) {
    std::string out;
    for (Tree* c = parent.firstchild(); c; c = c->nextsibling()) {
        out += static_cast<Named*>(c)->name;
    }
    return out;
}

int byName(const Node* a, const Node* b) {
    return static_cast<const Named*>(a)->name.compare(static_cast<const Named*>(b)->name);
}

TEST(Tree, ParentRootDepthAndDescendants) {
    Named root("r");
    Named* a = add(root, "a");
    Named* b = add(*a, "b");
    Named* c = add(root, "c");
    EXPECT_EQ(b->parent(), a);
    EXPECT_EQ(root.parent(), nullptr);
    EXPECT_EQ(b->root(), &root);
    EXPECT_EQ(root.root(), &root);
    EXPECT_EQ(b->depth(), 2);
    EXPECT_EQ(root.depth(), 0);
    EXPECT_TRUE(b->isdescendant(&root));
    EXPECT_TRUE(b->isdescendant(a));
    EXPECT_FALSE(b->isdescendant(c));
    EXPECT_FALSE(a->isdescendant(a));
    EXPECT_FALSE(root.isdescendant(b));
}

TEST(Tree, PreorderStaysInsideTheSubtree) {
    Named root("r");
    Named* a = add(root, "a");
    add(*a, "b");
    Named* c = add(*a, "c");
    add(*c, "d");
    add(root, "e");
    std::string walk;
    for (Tree* n = a; n; n = n->nextpreorder(a)) {
        walk += static_cast<Named*>(n)->name;
    }
    EXPECT_EQ(walk, "abcd");
    walk.clear();
    for (Tree* n = &root; n; n = n->nextpreorder(&root)) {
        walk += static_cast<Named*>(n)->name;
    }
    EXPECT_EQ(walk, "rabcde");
    EXPECT_EQ(a->nextpreorder(&root, true), root.lastchild());
}

TEST(Tree, SortallSortsEveryLevel) {
    Named root("r");
    Named* z = add(root, "z");
    add(root, "m");
    add(*z, "y");
    add(*z, "b");
    ASSERT_EQ(root.sortall(byName, false), 0);
    EXPECT_EQ(names(root), "mz");
    EXPECT_EQ(names(*z), "by");
}

TEST(Tree, DestroyingASubtreeDeletesAllOfItAndUnlinks) {
    Named root("r");
    Named* a = add(root, "a");
    add(*add(*a, "b"), "c");
    add(*a, "d");
    add(root, "e");
    delete a;
    EXPECT_EQ(names(root), "e");
    EXPECT_EQ(root.count(), 1u);
}

TEST(Tree, AVeryDeepTreeIsDestroyedAndWalkedWithoutRecursion) {
    auto* root = new Named("r");
    Tree* tip = root;
    for (int i = 0; i < 300'000; ++i) {
        tip = add(*tip, "x");
    }
    EXPECT_EQ(tip->depth(), 300'000);
    int n = 0;
    for (Tree* node = root; node; node = node->nextpreorder(root)) {
        ++n;
    }
    EXPECT_EQ(n, 300'001);
    delete root;
}

TEST(Tree, DumptreeIndentsAndLeavesOutFilteredChildren) {
    Named root("r");
    Named* a = add(root, "a");
    add(*a, "b");
    Named* hidden = add(*a, "h", false);
    add(*hidden, "i");
    add(root, "c");
    otmwstream out;
    root.dumptree(out, 1);
    const std::string text(out.buffer().data(), static_cast<std::size_t>(out.tell()));
    EXPECT_EQ(text, "  r\r\n    a\r\n      b\r\n    c\r\n");
    otmwstream depth;
    a->dumpdepth(depth);
    EXPECT_EQ(std::string(depth.buffer().data(), static_cast<std::size_t>(depth.tell())),
              "  a\r\n");
}

} // namespace
} // namespace qx
