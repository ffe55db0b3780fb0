#include "ui/tree/model/TreeTextSearch.h"
#include "TreeTestSupport.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

using Result = TreeTextSearch::Result;

TEST(FindInLabel, CaseAndWholeWordRules) {
    TextQuery q{"Tree"};
    EXPECT_EQ(findInLabel("a tree view", q), 2u);
    q.matchCase = true;
    EXPECT_EQ(findInLabel("a tree view", q), std::string_view::npos);
    EXPECT_EQ(findInLabel("a Tree view", q), 2u);
    q = TextQuery{"дерево"};
    EXPECT_EQ(findInLabel("Большое ДЕРЕВО", q), std::string("Большое ").size());
    q.wholeWord = true;
    EXPECT_EQ(findInLabel("Большое ДЕРЕВОм", q), std::string_view::npos);
    EXPECT_NE(findInLabel("«дерево»", q), std::string_view::npos);
    q = TextQuery{"net", false, true};
    // The first occurrence is inside a word; the second stands alone.
    EXPECT_EQ(findInLabel("internet, net.", q), 10u);
    EXPECT_EQ(findInLabel("net", q), 0u);
    EXPECT_EQ(findInLabel("net2", q), std::string_view::npos);
    EXPECT_EQ(findInLabel("_net", q), 1u);
    EXPECT_EQ(findInLabel("anything", TextQuery{}), std::string_view::npos);
}

TEST(ReplaceInText, OneOrAllWithTheSameRules) {
    std::string name = "Net nets NET";
    EXPECT_EQ(replaceInText(name, TextQuery{"net", false, true}, "web", true), 2);
    EXPECT_EQ(name, "web nets web");
    name = "aaa";
    // The replacement is not searched again.
    EXPECT_EQ(replaceInText(name, TextQuery{"a", true}, "aa", true), 3);
    EXPECT_EQ(name, "aaaaaa");
    name = "Дом дом";
    EXPECT_EQ(replaceInText(name, TextQuery{"ДОМ"}, "сад", false), 1);
    EXPECT_EQ(name, "сад дом");
    name = "x";
    EXPECT_EQ(replaceInText(name, TextQuery{}, "y", true), 0);
}

// root
//   a
//     a1
//     a2
//   b
//     b1
struct Tree {
    TreeViewRoot root{"root"};
    TreeViewNode* a = test::add(root, "a");
    TreeViewNode* a1 = test::add(*a, "a1 find");
    TreeViewNode* a2 = test::add(*a, "a2");
    TreeViewNode* b = test::add(root, "b find");
    TreeViewNode* b1 = test::add(*b, "b1");
};

TEST(PreorderStep, ForwardAndBackwardVisitEveryRowOnce) {
    Tree t;
    std::string down, up;
    for (TreeViewNode* n = &t.root; n; n = preorderStep(*n, true))
        down += n->label().substr(0, 2) + ",";
    for (TreeViewNode* n = t.b1; n; n = preorderStep(*n, false))
        up += n->label().substr(0, 2) + ",";
    EXPECT_EQ(down, "ro,a,a1,a2,b ,b1,");
    EXPECT_EQ(up, "b1,b ,a2,a1,a,ro,");
}

TEST(TreeTextSearch, WalksAsksAtTheEndAndStopsBackAtTheStart) {
    Tree t;
    TreeTextSearch search;
    int asked = 0;
    auto yes = [&] { return ++asked, true; };
    auto no = [&] { return ++asked, false; };
    const TextQuery down{"find"};

    EXPECT_EQ(search.find(t.a, down, yes), Result::Found);
    EXPECT_EQ(search.match(), t.a1);
    EXPECT_EQ(search.find(t.a1, down, yes), Result::Found);
    EXPECT_EQ(search.match(), t.b);
    EXPECT_EQ(asked, 0);
    // Past the end: No ends the search, Yes goes on from the root.
    EXPECT_EQ(search.find(t.b, down, no), Result::Declined);
    EXPECT_EQ(search.find(t.b, down, yes), Result::Found);
    EXPECT_EQ(search.match(), t.a1);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(search.matches(), 3);

    // Backward from a1 reaches the root's start, wraps to the last row.
    TextQuery up = down;
    up.down = false;
    EXPECT_EQ(search.find(t.a1, up, yes), Result::Found);
    EXPECT_EQ(search.match(), t.b);

    // A text found only at the start comes back to it.
    const TextQuery only{"a2"};
    EXPECT_EQ(search.find(t.a2, only, yes), Result::BackAtStart);
    EXPECT_EQ(search.matches(), 0);
    EXPECT_EQ(search.match(), nullptr);

    EXPECT_EQ(search.find(nullptr, down, yes), Result::NotFound);
    EXPECT_EQ(search.find(t.a, TextQuery{}, yes), Result::NotFound);
}

} // namespace
} // namespace qx
