#include "model/RefOrder.h"
#include "model/Container.h"
#include "model/DomainRef.h"
#include "model/Object.h"
#include "model/OrgRef2.h"
#include "model/SearchRef.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace qx {
namespace {

platform::SystemTime day(int year, int month, int d) {
    platform::SystemTime t;
    t.year = static_cast<std::uint16_t>(year);
    t.month = static_cast<std::uint16_t>(month);
    t.day = static_cast<std::uint16_t>(d);
    return t;
}

class RefOrderTest : public ::testing::Test {
protected:
    // A result under the saved search: named, with a sequence and a dated target.
    OrgRef2* result(const char* name, int sequence, platform::SystemTime modified = {}) {
        auto* node = new OrgRef2(Str(name));
        node->setorgprop({0, static_cast<std::uint16_t>(sequence)});
        ObjectProp p;
        p.title = name;
        p.modified = modified;
        auto* page = static_cast<Object*>(container.add(std::make_unique<Object>(p)));
        node->settarget(page);
        page->addref();
        return node;
    }

    // Places a node by the result order among the search's children.
    void place(OrgRef2* node, std::uint32_t order) {
        // The position is the node to link before; none means the end.
        Node* before = RefOrder::resultposition(search, node, RefOrder::resultcompare(order));
        if (before) {
            search.insert(node, before);
        } else {
            search.append(node);
        }
    }

    std::string names() const {
        std::string out;
        for (Tree* c = search.firstchild(); c; c = c->nextsibling()) {
            out += static_cast<OrgRef2*>(c)->name().view();
        }
        return out;
    }

    Container container;
    SearchRef search;
};

int byhost(const char* a, const char* b) {
    DomainRef x{Str(a)}, y{Str(b)};
    return RefOrder::byhost(&x, &y);
}

TEST_F(RefOrderTest, ByDate) {
    std::unique_ptr<OrgRef2> old(result("o", 0, day(2000, 1, 1)));
    std::unique_ptr<OrgRef2> later(result("l", 0, day(2001, 1, 1)));
    std::unique_ptr<OrgRef2> undated(result("u", 0));
    std::unique_ptr<OrgRef2> undated2(result("v", 0, day(2001, 2, 30)));
    OrgRef2 folder;
    EXPECT_LT(RefOrder::bydate(old.get(), later.get()), 0);
    EXPECT_GT(RefOrder::bydate(later.get(), old.get()), 0);
    EXPECT_EQ(RefOrder::bydate(old.get(), old.get()), 0);
    EXPECT_EQ(RefOrder::bydate(undated.get(), old.get()), -1);
    EXPECT_EQ(RefOrder::bydate(old.get(), undated.get()), 1);
    EXPECT_EQ(RefOrder::bydate(undated.get(), undated2.get()), 0);
    EXPECT_EQ(RefOrder::bydate(&folder, old.get()), 0);
}

TEST_F(RefOrderTest, BySequenceAndName) {
    std::unique_ptr<OrgRef2> a(result("Alpha", 3));
    std::unique_ptr<OrgRef2> b(result("beta", 8));
    EXPECT_EQ(RefOrder::bysequence(a.get(), b.get()), 5);
    EXPECT_EQ(RefOrder::bysequence(a.get(), &search), 0);
    EXPECT_LT(RefOrder::byname(a.get(), b.get()), 0);
    OrgRef2 upper(Str("ALPHA"));
    EXPECT_EQ(RefOrder::byname(a.get(), &upper), 0);
}

TEST_F(RefOrderTest, ByHost) {
    // The last piece decides first: ".com" before ".ru".
    EXPECT_LT(byhost("http://zeta.com", "http://alpha.ru"), 0);
    // Then the pieces before it, from the right.
    EXPECT_LT(byhost("http://mail.yandex.ru", "http://www.yandex.ru"), 0);
    EXPECT_GT(byhost("http://www.zzz.ru", "http://aaa.ru"), 0);
    EXPECT_EQ(byhost("HTTP://WWW.A.RU", "http://www.a.ru"), 0);
    // Without a dot the piece after the last slash counts.
    EXPECT_LT(byhost("http://localhost", "http://z.org"), 0);
    EXPECT_LT(byhost("file:///a/box", "file:///a/car"), 0);
    // A name with neither is compared whole against the other name, not as a
    // piece against its last piece.
    EXPECT_LT(byhost("abc", "abd"), 0);
    EXPECT_GT(byhost("ru", "mail.ru"), 0);
    EXPECT_GT(byhost("news:", "http://b.org"), 0);
    EXPECT_LT(byhost("mailto:", "news:"), 0);
    EXPECT_LT(byhost("http://a.com", "news:"), 0);
    EXPECT_EQ(byhost("", ""), 0);
    EXPECT_EQ(byhost("NEWS:", "news:"), 0);
    // Letter case is ignored beyond ASCII.
    EXPECT_EQ(byhost("http://\xD0\x9F\xD0\xA0\xD0\x98.\xD0\xA0\xD0\xA4",
                     "http://\xD0\xBF\xD1\x80\xD0\xB8.\xD1\x80\xD1\x84"),
              0);
}

TEST_F(RefOrderTest, ByHostCount) {
    DomainRef a, b;
    a.sethostcount(5);
    b.sethostcount(2);
    EXPECT_GT(RefOrder::byhostcount(&a, &b), 0);
    b.sethostcount(0xFFFFFFFF);
    EXPECT_LT(RefOrder::byhostcount(&a, &b), 0);
    EXPECT_EQ(RefOrder::byhostcount(&a, &search), 0);
}

TEST_F(RefOrderTest, PlacementBySequence) {
    place(result("c", 3), 0);
    place(result("a", 1), 0);
    place(result("e", 5), 0);
    place(result("b", 2), 0);
    place(result("d", 3), 0); // an equal sequence goes after its equal
    EXPECT_EQ(names(), "abcde");
}

TEST_F(RefOrderTest, PlacementByDateNewestFirst) {
    place(result("m", 0, day(2001, 6, 1)), 1);
    place(result("o", 0, day(1999, 1, 1)), 1);
    place(result("u", 0), 1);                  // no date: at the end
    place(result("n", 0, day(2010, 1, 1)), 1); // later than all: first
    EXPECT_EQ(names(), "nmou");
}

TEST_F(RefOrderTest, RepositioningAMovedResult) {
    for (const char* n : {"a", "b", "c"}) {
        place(result(n, n[0] - 'a'), 0);
    }
    auto* a = static_cast<OrgRef2*>(search.firstchild());
    const List::Compare compare = RefOrder::resultcompare(0);
    EXPECT_TRUE(RefOrder::resultinorder(a, compare));
    a->setorgprop({0, 7}); // now belongs last
    EXPECT_FALSE(RefOrder::resultinorder(a, compare));
    EXPECT_EQ(RefOrder::resultposition(search, a, compare), nullptr); // the end
    search.append(a);
    EXPECT_EQ(names(), "bca");
    EXPECT_TRUE(RefOrder::resultinorder(a, compare));
    // A node in place stays where the position says.
    auto* b = static_cast<OrgRef2*>(search.firstchild());
    EXPECT_EQ(RefOrder::resultposition(search, b, compare), b->next());
    // Orders without a rule place at the end and call everything in order.
    EXPECT_EQ(RefOrder::resultcompare(2), nullptr);
    EXPECT_EQ(RefOrder::resultposition(search, b, nullptr), nullptr);
    EXPECT_TRUE(RefOrder::resultinorder(b, nullptr));
}

TEST_F(RefOrderTest, SortingByTheOrders) {
    for (int s : {4, 1, 3}) {
        search.append(result(std::to_string(s).c_str(), s));
    }
    // bysequence answers b - a: ascending sequence is its descending sort.
    ASSERT_EQ(search.sort(RefOrder::bysequence, true), 0);
    EXPECT_EQ(names(), "134");
    ASSERT_EQ(search.sort(RefOrder::byname, true), 0);
    EXPECT_EQ(names(), "431");
}

} // namespace
} // namespace qx
