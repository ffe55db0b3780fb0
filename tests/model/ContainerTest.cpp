#include "model/Container.h"
#include "ModelTestSupport.h"
#include "model/Object.h"
#include "model/ObjectComparator.h"
#include "model/ObjectTable.h"
#include "stream/otmwstream.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace qx {
namespace {

std::unique_ptr<Object> page(const char* title, const char* url) {
    ObjectProp p;
    p.title = title;
    p.url = url;
    return std::make_unique<Object>(p);
}

// An object that notes its destruction.
class Tracked : public Object {
public:
    explicit Tracked(bool* gone) : gone_(gone) {}
    ~Tracked() override { *gone_ = true; }

private:
    bool* gone_;
};

ContainerObject* findPage(const Container& c, const Object& like) {
    return c.find(ObjectComparator(like.identitykey()));
}

TEST(ObjectTable, WritingNumbersObjectsInFirstRequestOrder) {
    Container c;
    ContainerObject* a = c.add(page("a", ""));
    ContainerObject* b = c.add(page("b", ""));
    ContainerObject* d = c.add(page("d", ""));
    c.beginwrite();
    EXPECT_EQ(c.idof(a), 1);
    EXPECT_EQ(c.idof(b), 2);
    EXPECT_EQ(c.idof(d), 3);
    EXPECT_EQ(c.idof(b), 2);
    EXPECT_EQ(c.idof(nullptr), 0);
    Object stranger;
    EXPECT_EQ(c.idof(&stranger), 4);
    EXPECT_EQ(c.table().sortstate(), ObjectTable::ById);
    EXPECT_EQ(c.resolve(4), &stranger);
    c.beginwrite();
    EXPECT_EQ(c.table().count(), 0u);
    EXPECT_EQ(c.idof(d), 1);
}

TEST(ObjectTable, ReadingResolvesAfterSorting) {
    Object x, y, z;
    DefRefResolver r;
    r.beginread();
    r.addloaded(&x, 5);
    r.addloaded(&y, 3);
    r.addloaded(&z, 9);
    EXPECT_EQ(r.table().sortstate(), ObjectTable::Unsorted);
    EXPECT_EQ(r.resolve(3), &y); // found by a scan before sorting
    r.endread();
    EXPECT_EQ(r.table().sortstate(), ObjectTable::ById);
    EXPECT_EQ(r.resolve(3), &y);
    EXPECT_EQ(r.resolve(9), &z);
    EXPECT_EQ(r.resolve(4), nullptr);
    EXPECT_EQ(r.resolve(0), nullptr);
}

TEST(ObjectTable, SortStateAndIgnoredEntries) {
    Object objects[3];
    ObjectTable t;
    t.reset(ObjectTable::Reading);
    t.add(nullptr, 1);
    t.add(&objects[0], 0);
    EXPECT_EQ(t.count(), 0u);
    t.add(&objects[1], 2);
    t.add(&objects[2], 2); // equal identifiers keep the order
    EXPECT_EQ(t.sortstate(), ObjectTable::ById);
    t.sort(ObjectTable::ByPointer);
    EXPECT_EQ(t.sortstate(), ObjectTable::ByPointer);
    t.add(&objects[0], 7); // a lower pointer breaks the pointer order
    EXPECT_EQ(t.sortstate(), ObjectTable::Unsorted);
    EXPECT_EQ(t.byPointer(&objects[0]), 7);
    EXPECT_EQ(t.byPointer(nullptr), 0);
    t.sort(ObjectTable::ById);
    EXPECT_EQ(t.byId(2), &objects[1]); // the first of equals read
    t.sort(ObjectTable::Unsorted);
    EXPECT_EQ(t.sortstate(), ObjectTable::Unsorted);
    EXPECT_EQ(t.byId(7), &objects[0]);
}

TEST(ObjectTable, IdentifiersGoOnPastSixteenBits) {
    std::vector<Object> objects(65537);
    ObjectTable t;
    t.reset(ObjectTable::Writing);
    for (int i = 0; i < 65537; ++i) {
        ASSERT_EQ(t.intern(&objects[i]), static_cast<std::uint32_t>(i + 1));
    }
    EXPECT_EQ(t.intern(&objects[0]), 1u);
    EXPECT_EQ(t.count(), 65537u);
}

TEST(ObjectTable, ReadIdentifiersFoundAtTheirPlaceOrBySearch) {
    // Identifiers 4 to 6 sit at their places; 3 does too, but the first of
    // the equal ones read must win.
    Object objects[6];
    ObjectTable t;
    t.reset(ObjectTable::Reading);
    const std::uint32_t ids[] = {3, 3, 3, 4, 5, 6};
    for (int i = 0; i < 6; ++i) {
        t.add(&objects[i], ids[i]);
    }
    t.sort(ObjectTable::ById);
    EXPECT_EQ(t.byId(3), &objects[0]);
    EXPECT_EQ(t.byId(4), &objects[3]);
    EXPECT_EQ(t.byId(6), &objects[5]);
    EXPECT_EQ(t.byId(2), nullptr);
    EXPECT_EQ(t.byId(7), nullptr);
    EXPECT_EQ(t.byPointer(&objects[4]), 5u);
}

TEST(ObjectTable, NarrowFormStoresUnnumberableIdentifiersAsNone) {
    // An identifier the 16-bit form cannot hold must not read back as the
    // target of another object (65537 would otherwise become 1).
    DefRefResolver r;
    mwstream out;
    r.putid(out, 65535);
    r.putid(out, 65537);
    r.setwide(true);
    r.putid(out, 65537);
    EXPECT_EQ(test::bytesof(out), std::string("\xFF\xFF\x00\x00\x01\x00\x01\x00", 8));
}

TEST(Container, FindsPagesByIdentity) {
    Container c;
    ContainerObject* a = c.add(page("Title A", "http://same/"));
    c.add(page("Title B", "http://other/"));
    ContainerObject* t = c.add(page("Only title", ""));
    // The same address with another title is the same page.
    EXPECT_EQ(findPage(c, *page("Different", "http://same/")), a);
    // Without addresses, the titles decide, byte for byte.
    EXPECT_EQ(findPage(c, *page("Only title", "")), t);
    EXPECT_EQ(findPage(c, *page("only title", "")), nullptr);
    // An object with neither is never found.
    c.add(page("", ""));
    EXPECT_EQ(findPage(c, *page("", "")), nullptr);
}

TEST(Container, FindGivesTheFirstInListOrderAndFollowsChangedKeys) {
    Container c;
    ContainerObject* first = c.add(page("x", "http://dup/"));
    ContainerObject* second = c.add(page("y", "http://dup/"));
    EXPECT_EQ(findPage(c, *page("", "http://dup/")), first);
    static_cast<Object*>(first)->seturl("http://moved/");
    EXPECT_EQ(findPage(c, *page("", "http://dup/")), second);
    EXPECT_EQ(findPage(c, *page("", "http://moved/")), first);
    ObjectProp p;
    p.title = "z";
    static_cast<Object*>(second)->setprops(p);
    EXPECT_EQ(findPage(c, *page("", "http://dup/")), nullptr);
    EXPECT_EQ(findPage(c, *page("z", "")), second);
    c.remove(first);
    EXPECT_EQ(findPage(c, *page("", "http://moved/")), nullptr);
}

TEST(Container, RemoveDeletesOnlyWhatItHolds) {
    Container c;
    bool gone = false;
    ContainerObject* tracked = c.add(std::make_unique<Tracked>(&gone));
    Object outsider;
    c.remove(&outsider);
    c.remove(nullptr);
    // Another container never acts on an object this one holds.
    Container other;
    EXPECT_FALSE(other.contains(tracked));
    other.remove(tracked);
    EXPECT_FALSE(gone);
    EXPECT_EQ(c.count(), 1u);
    EXPECT_TRUE(c.contains(tracked));
    c.remove(tracked);
    EXPECT_TRUE(gone);
    EXPECT_EQ(c.count(), 0u);
    EXPECT_EQ(c.add(nullptr), nullptr);
}

TEST(Container, IterateClearAndDump) {
    Container c;
    ContainerObject* a = c.add(page("a", "http://a/"));
    ContainerObject* b = c.add(page("b", "http://b/"));
    ContainerIterator it = c.iterate();
    EXPECT_EQ(it.current(), a);
    EXPECT_EQ(it.next(), b);
    EXPECT_EQ(it.next(), nullptr);
    ContainerIterator from = c.iterate(b);
    EXPECT_EQ(from.prev(), a);
    Object outsider;
    EXPECT_EQ(c.iterate(&outsider).current(), nullptr);

    otmwstream out;
    c.dump(out);
    const std::string text(out.buffer().data(), static_cast<std::size_t>(out.tell()));
    EXPECT_NE(text.find("count=2\r\n  Object 0x"), std::string::npos);
    EXPECT_NE(text.find("http://b/\r\n"), std::string::npos);

    bool gone = false;
    c.add(std::make_unique<Tracked>(&gone));
    c.clear();
    EXPECT_TRUE(gone);
    EXPECT_EQ(c.iterate().current(), nullptr);
}

TEST(Container, FixupallVisitsEveryObjectInOrder) {
    struct Fixed : Object {
        explicit Fixed(std::vector<int>* log, int n) : log(log), n(n) {}
        void fixup(RefResolver&) override { log->push_back(n); }
        std::vector<int>* log;
        int n;
    };
    std::vector<int> log;
    Container c;
    for (int i = 1; i <= 3; ++i) {
        c.add(std::make_unique<Fixed>(&log, i));
    }
    c.fixupall();
    EXPECT_EQ(log, (std::vector<int>{1, 2, 3}));
}

TEST(Container, ContainsKnowsEveryObjectBeforeAndAfterItIsFirstAsked) {
    Container c;
    std::vector<ContainerObject*> held;
    for (int i = 0; i < 300; ++i) {
        held.push_back(c.add(std::make_unique<Object>()));
    }
    ContainerObject* first = held.front();
    c.remove(first); // before the first question
    EXPECT_FALSE(c.contains(first));
    for (std::size_t i = 1; i < held.size(); ++i) {
        ASSERT_TRUE(c.contains(held[i]));
    }
    // After it: objects added and removed are known at once.
    ContainerObject* later = c.add(std::make_unique<Object>());
    EXPECT_TRUE(c.contains(later));
    c.remove(held[5]);
    EXPECT_FALSE(c.contains(held[5]));
    EXPECT_TRUE(c.contains(held[6]));
    c.clear();
    EXPECT_FALSE(c.contains(later));
    EXPECT_FALSE(c.contains(held[6]));
}

TEST(Container, FixupallReachesObjectsThatResolveSomethingAmongPages) {
    struct Counted : ContainerObject {
        explicit Counted(int* calls) : calls(calls) {}
        Str label() const override { return {}; }
        int write(owstream&, RefResolver&) const override { return 0; }
        int read(iwstream&, int, RefResolver&) override { return 0; }
        void fixup(RefResolver&) override { ++*calls; }
        int* calls;
    };
    int calls = 0;
    Container mixed;
    mixed.add(std::make_unique<Object>());
    mixed.add(std::make_unique<Counted>(&calls));
    mixed.fixupall();
    EXPECT_EQ(calls, 1);
}

} // namespace
} // namespace qx
