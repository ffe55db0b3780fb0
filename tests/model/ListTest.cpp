#include "ModelTestSupport.h"

#include "model/List.h"
#include "stream/iwstream.h"
#include "stream/owstream.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qx {
namespace {

// A node with a number that counts its own destruction and can persist itself.
class Item : public Node {
public:
    explicit Item(int value, std::vector<int>* deaths = nullptr, bool persists = true)
        : value(value), deaths_(deaths), persists_(persists) {}
    ~Item() override {
        if (deaths_) {
            deaths_->push_back(value);
        }
    }
    bool persist() const override { return persists_; }
    int writekind(owstream& out) const override {
        out.put8(1);
        return 0;
    }
    int writedata(owstream& out) const override {
        out.put16(static_cast<std::uint16_t>(value));
        return value == 99 ? 7 : 0;
    }
    int readdata(iwstream& in, int) override {
        std::uint16_t v = 0;
        in.get16(v);
        value = v;
        return value == 66 ? 5 : (in.state() ? -1 : 0);
    }

    int value;

private:
    std::vector<int>* deaths_;
    bool persists_;
};

std::vector<int>* gDeaths = nullptr;

Node* makeItem(iwstream& in, int) {
    std::uint8_t kind = 0;
    in.get8(kind);
    return kind == 1 ? new Item(0, gDeaths) : nullptr;
}

std::vector<int> values(const List& list) {
    std::vector<int> out;
    for (Node* n = list.first(); n; n = n->next()) {
        out.push_back(static_cast<Item*>(n)->value);
    }
    return out;
}

std::vector<int> backwards(const List& list) {
    std::vector<int> out;
    for (Node* n = list.last(); n; n = n->prev()) {
        out.push_back(static_cast<Item*>(n)->value);
    }
    return out;
}

int byValue(const Node* a, const Node* b) {
    return static_cast<const Item*>(a)->value / 10 - static_cast<const Item*>(b)->value / 10;
}

TEST(List, AppendAndInsertFollowTheirPositions) {
    List list;
    auto* a = new Item(1);
    auto* b = new Item(2);
    auto* c = new Item(3);
    list.append(a);
    list.append(c);
    list.append(b, a); // right after a
    EXPECT_EQ(values(list), (std::vector<int>{1, 2, 3}));
    auto* d = new Item(4);
    list.insert(d); // at the front
    auto* e = new Item(5);
    list.insert(e, c); // right before c
    EXPECT_EQ(values(list), (std::vector<int>{4, 1, 2, 5, 3}));
    EXPECT_EQ(backwards(list), (std::vector<int>{3, 5, 2, 1, 4}));
    EXPECT_EQ(list.count(), 5u);
    EXPECT_EQ(list.nth(3), e);
    EXPECT_EQ(list.nth(5), nullptr);
}

TEST(List, MovingNodesBetweenListsAndIgnoredCalls) {
    List one, two;
    auto* a = new Item(1);
    auto* b = new Item(2);
    auto* x = new Item(9);
    one.append(a);
    one.append(b);
    two.append(x);
    // A position in another list counts as none: appended at the end.
    one.append(new Item(3), x);
    EXPECT_EQ(values(one), (std::vector<int>{1, 2, 3}));
    // A node of another list is taken out of it first.
    two.insert(a, x);
    EXPECT_EQ(values(one), (std::vector<int>{2, 3}));
    EXPECT_EQ(values(two), (std::vector<int>{1, 9}));
    EXPECT_EQ(a->owner(), &two);
    // Moving within a list.
    one.append(b, one.last());
    EXPECT_EQ(values(one), (std::vector<int>{3, 2}));
    // Null, and a node equal to its position, change nothing.
    one.append(nullptr);
    one.append(b, b);
    one.insert(b, b);
    EXPECT_EQ(values(one), (std::vector<int>{3, 2}));
    // unlink ignores a node of another list.
    one.unlink(x);
    EXPECT_EQ(x->owner(), &two);
    two.unlink(x);
    EXPECT_EQ(x->owner(), nullptr);
    EXPECT_EQ(x->next(), nullptr);
    delete x;
    EXPECT_EQ(values(two), (std::vector<int>{1}));
}

TEST(List, DestroyingNodesAndListsKeepsLinksRight) {
    std::vector<int> deaths;
    {
        List list;
        for (int i = 1; i <= 4; ++i) {
            list.append(new Item(i, &deaths));
        }
        delete list.nth(1); // a node unlinks itself
        EXPECT_EQ(values(list), (std::vector<int>{1, 3, 4}));
        EXPECT_EQ(backwards(list), (std::vector<int>{4, 3, 1}));
        EXPECT_EQ(list.count(), 3u);
    }
    EXPECT_EQ(deaths, (std::vector<int>{2, 1, 3, 4}));
}

TEST(List, SortIsStableAndDescendingReverses) {
    List list;
    for (int v : {31, 10, 32, 11, 20}) {
        list.append(new Item(v));
    }
    ASSERT_EQ(list.sort(byValue, false), 0);
    EXPECT_EQ(values(list), (std::vector<int>{10, 11, 20, 31, 32}));
    EXPECT_EQ(backwards(list), (std::vector<int>{32, 31, 20, 11, 10}));
    ASSERT_EQ(list.sort(byValue, true), 0);
    EXPECT_EQ(values(list), (std::vector<int>{31, 32, 20, 10, 11}));
    List empty;
    EXPECT_EQ(empty.sort(byValue, false), 0);
}

TEST(List, FindAndForeachLetTheCurrentNodeGo) {
    List list;
    for (int v = 1; v <= 5; ++v) {
        list.append(new Item(v));
    }
    int wanted = 4;
    Node* found = list.find(
        [](Node* n, void* data) {
            return int{static_cast<Item*>(n)->value == *static_cast<int*>(data)};
        },
        &wanted);
    EXPECT_EQ(static_cast<Item*>(found)->value, 4);
    // Deleting the even nodes while walking.
    EXPECT_EQ(list.foreach (
                  [](Node* n, void*) {
                      if (static_cast<Item*>(n)->value % 2 == 0) {
                          delete n;
                      }
                      return 0;
                  },
                  nullptr),
              0);
    EXPECT_EQ(values(list), (std::vector<int>{1, 3, 5}));
    EXPECT_EQ(
        list.foreach ([](Node* n, void*) { return static_cast<Item*>(n)->value == 3 ? 8 : 0; },
                      nullptr),
        8);
    list.clear();
    EXPECT_TRUE(list.empty());
}

TEST(List, WriteallAndReadallRoundTrip) {
    List list;
    list.append(new Item(5));
    list.append(new Item(6, nullptr, false)); // not persisted
    list.append(new Item(7));
    mwstream out;
    ASSERT_EQ(list.writeall(out), 0);
    EXPECT_EQ(test::bytesof(out), std::string("\x02\x00\x01\x05\x00\x01\x07\x00", 8));

    test::ByteSource in(test::bytesof(out));
    List back;
    ASSERT_EQ(back.readall(in.stream(), 1, makeItem), 0);
    EXPECT_EQ(values(back), (std::vector<int>{5, 7}));
}

TEST(List, WriteallStopsAtTheFirstFailure) {
    List list;
    list.append(new Item(99));
    list.append(new Item(5));
    mwstream out;
    EXPECT_EQ(list.writeall(out), 7);
    // A stream that cannot take the count.
    char none[1];
    memwstream full(none, 1);
    EXPECT_EQ(list.writeall(full), -1);
}

TEST(List, ReadallFailures) {
    std::vector<int> deaths;
    gDeaths = &deaths;
    List list;
    // An unknown kind: 1, the nodes before it kept.
    test::ByteSource unknown(std::string("\x02\x00\x01\x05\x00\x02", 6));
    EXPECT_EQ(list.readall(unknown.stream(), 1, makeItem), 1);
    EXPECT_EQ(values(list), (std::vector<int>{5}));
    // A node whose data fails is deleted and its result returned.
    list.clear();
    deaths.clear();
    test::ByteSource failing(std::string("\x01\x00\x01\x42\x00", 5));
    EXPECT_EQ(list.readall(failing.stream(), 1, makeItem), 5);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(deaths, (std::vector<int>{66}));
    // No count at all.
    test::ByteSource nothing(std::string("\x01", 1));
    EXPECT_EQ(list.readall(nothing.stream(), 1, makeItem), -1);
    // A count larger than the data: the node that ran dry fails.
    test::ByteSource shortData(std::string("\x03\x00\x01\x05\x00\x01", 6));
    EXPECT_EQ(list.readall(shortData.stream(), 1, makeItem), -1);
    gDeaths = nullptr;
}

} // namespace
} // namespace qx
