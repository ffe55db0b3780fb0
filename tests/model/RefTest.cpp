#include "ModelTestSupport.h"

#include "model/Container.h"
#include "model/DomainRef.h"
#include "model/Object.h"
#include "model/OrgRef2.h"
#include "model/RefRoot.h"
#include "model/SearchRef.h"
#include "model/UrlRef.h"
#include "model/ViewItem.h"
#include "stream/otmwstream.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace qx {
namespace {

using test::date;

class RecordingItem : public ViewItem {
public:
    void settext(const Str& text) override {
        last = std::string(text.view());
        ++calls;
    }
    std::string last;
    int calls = 0;
};

Object* addPage(Container& c, const char* title, const char* url,
                platform::SystemTime modified = {}, std::uint32_t charset = 0) {
    ObjectProp p;
    p.title = title;
    p.url = url;
    p.modified = modified;
    p.charset = charset;
    return static_cast<Object*>(c.add(std::make_unique<Object>(p)));
}

// Links a node under a parent and counts its target, as the document does.
template <class T> T* child(Tree& parent, T* node, Object* target = nullptr) {
    parent.append(node);
    if (target) {
        node->settarget(target);
        target->addref();
    }
    return node;
}

// Writes a node alone, then reads it back into a fresh node of the same class.
template <class T>
std::unique_ptr<T> roundtrip(const T& node, std::string* bytes, int version = 3) {
    Container c;
    c.beginwrite();
    mwstream out;
    EXPECT_EQ(node.write(out, c), 0);
    *bytes = test::bytesof(out);
    test::ByteSource in(*bytes);
    auto back = std::make_unique<T>();
    EXPECT_EQ(back->read(in.stream(), version, c), 0);
    EXPECT_EQ(in.position(), static_cast<int>(bytes->size()));
    return back;
}

class RefTest : public ::testing::Test {
protected:
    RefTest() { container.setlabeltexts(&texts); }

    test::FakeLabelTexts texts;
    Container container;
};

TEST_F(RefTest, RefBytesMaskTheFlagWord) {
    OrgRef2 node(Str("n"));
    node.setflags(0xFFFF);
    node.setextraflags(0xFFFF);
    node.setorgprop({0x1234, 0x5678});
    std::string bytes;
    auto back = roundtrip(node, &bytes);
    EXPECT_EQ(bytes, std::string("\x34\x12\x78\x56\x01\x00\x57\xf1\x00\x00\x01\x00n", 13));
    EXPECT_EQ(back->flags(), 0xF157);
    EXPECT_EQ(back->extraflags(), 0x0001);
    EXPECT_EQ(back->orgprop().fitness, 0x1234);
    EXPECT_EQ(back->orgprop().sequence, 0x5678);
    EXPECT_EQ(back->name(), Str("n"));
}

TEST_F(RefTest, ReadingTakesOnlyStoredBits) {
    // A foreign file with every bit set: a search must not read as running,
    // nor a node as being checked, nor a heading as unshown.
    test::ByteSource in(std::string("\x00\x00\x00\x00\xff\xff\xff\xff\x00\x00\x00\x00", 12));
    OrgRef2 node;
    ASSERT_EQ(node.read(in.stream(), 3, container), 0);
    EXPECT_EQ(node.flags(), 0xF157);
    EXPECT_EQ(node.extraflags(), 0x0001);
}

TEST_F(RefTest, OrgRef2OfVersionOneHasNoExtraFlags) {
    test::ByteSource in(std::string("\x05\x00\x06\x00\x02\x00\x00\x00\x01\x00x", 11));
    OrgRef2 node;
    ASSERT_EQ(node.read(in.stream(), 1, container), 0);
    EXPECT_EQ(node.orgprop().sequence, 6);
    EXPECT_EQ(node.flags(), Ref::New);
    EXPECT_EQ(node.name(), Str("x"));
}

TEST_F(RefTest, RootDomainAndUrlBytes) {
    RefRoot root;
    root.setresultorder(1);
    root.setflags(0x0021);
    std::string bytes;
    auto backRoot = roundtrip(root, &bytes);
    EXPECT_EQ(bytes, std::string("\x01\x01\x00\x00\x00\x00\x00", 7));
    EXPECT_EQ(backRoot->resultorder(), 1u);
    EXPECT_EQ(backRoot->flags(), 0x0001);

    DomainRef host(Str("http://h"));
    host.sethostcount(0x01020304);
    auto backHost = roundtrip(host, &bytes);
    EXPECT_EQ(bytes.substr(0, 8), std::string("\x04\x03\x02\x01\x00\x00\x00\x00", 8));
    EXPECT_EQ(backHost->hostcount(), 0x01020304u);
    EXPECT_EQ(backHost->name(), Str("http://h"));

    UrlRef piece(Str("a"));
    piece.setflags(0x0300);
    auto backPiece = roundtrip(piece, &bytes);
    EXPECT_EQ(bytes, std::string("\x00\x01\x00\x00\x01\x00"
                                 "a",
                                 7));
    EXPECT_EQ(backPiece->flags(), 0x0100);
}

TEST_F(RefTest, SearchRefBytes) {
    SearchRef search(Str("s"));
    FindInfo f;
    f.query = "q";
    search.searchprop().setrequest(f);
    search.searchprop().total = 7;
    std::string bytes;
    auto back = roundtrip(search, &bytes);
    // query, max, servers, check, mode, exclude, counters, time, no records,
    // then flags 0x0010, no target, the name.
    EXPECT_EQ(bytes.size(), 3u + 4 + 2 + 1 + 1 + 2 + 12 + 8 + 2 + 2 + 2 + 3);
    EXPECT_EQ(bytes.substr(bytes.size() - 7), std::string("\x10\x00\x00\x00\x01\x00s", 7));
    EXPECT_EQ(back->searchprop().query, Str("q"));
    EXPECT_EQ(back->searchprop().total, 7u);
    EXPECT_EQ(back->searchprop().time, search.searchprop().time);
    EXPECT_TRUE(back->hasflags(Ref::SavedSearch));
}

TEST_F(RefTest, TargetsAreStoredByIdentifierAndCountedOnFixup) {
    Object* a = addPage(container, "A", "http://a/");
    Object* b = addPage(container, "B", "http://b/");
    RefRoot root(&container);
    OrgRef2* folder = child(root, new OrgRef2(Str("f")));
    child(*folder, new OrgRef2(), b);
    child(root, new OrgRef2(), a);
    container.beginwrite();
    container.idof(a);
    container.idof(b);
    mwstream out;
    ASSERT_EQ(static_cast<Ref*>(folder->firstchild())->write(out, container), 0);
    EXPECT_EQ(test::bytesof(out).substr(8, 2), std::string("\x02\x00", 2));

    // Reading nodes back: targets resolve only on fixup, which counts them.
    container.beginread();
    container.addloaded(a, 1);
    container.addloaded(b, 2);
    container.endread();
    RefRoot loaded(&container);
    OrgRef2* top = child(loaded, new OrgRef2());
    OrgRef2* inner = child(*top, new OrgRef2());
    test::ByteSource in1(std::string("\x00\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00", 12));
    test::ByteSource in2(std::string("\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x00\x00", 12));
    ASSERT_EQ(top->read(in1.stream(), 3, container), 0);
    ASSERT_EQ(inner->read(in2.stream(), 3, container), 0);
    EXPECT_EQ(top->target(), nullptr);
    const std::uint32_t countA = a->refcounter();
    loaded.fixup(container);
    EXPECT_EQ(top->target(), a);
    EXPECT_EQ(inner->target(), b);
    EXPECT_EQ(a->refcounter(), countA + 1);
    EXPECT_EQ(inner->container(), &container);
}

TEST_F(RefTest, RefcounterAfterCloneSettargetAndDestruction) {
    Object* a = addPage(container, "A", "http://a/");
    auto node = std::make_unique<OrgRef2>(Str("x"));
    node->settarget(a); // setting alone does not count
    EXPECT_EQ(a->refcounter(), 0u);
    a->addref();
    std::unique_ptr<Ref> copy = node->clone();
    EXPECT_EQ(copy->target(), nullptr); // a clone has no target ...
    EXPECT_EQ(a->refcounter(), 1u);     // ... and takes no count
    copy->settarget(a);
    a->addref();
    EXPECT_EQ(a->refcounter(), 2u);
    copy.reset();
    EXPECT_EQ(a->refcounter(), 1u);
    // A subtree releases every target it holds.
    child(*node, new OrgRef2(), a);
    child(*node->firstchild(), new OrgRef2(), a);
    EXPECT_EQ(a->refcounter(), 3u);
    node.reset();
    EXPECT_EQ(a->refcounter(), 0u);
}

TEST_F(RefTest, ClonesCopyClassData) {
    OrgRef2 result(Str("r"));
    result.setflags(Ref::New | Ref::Seen);
    result.setflags2(Ref::kChildChecking);
    result.setextraflags(OrgRef2::Group);
    result.setorgprop({9, 4});
    RecordingItem item;
    result.setviewitem(&item);
    child(result, new OrgRef2());
    auto copy = std::unique_ptr<OrgRef2>(static_cast<OrgRef2*>(result.clone().release()));
    EXPECT_EQ(copy->name(), Str("r"));
    EXPECT_EQ(copy->flags(), Ref::New | Ref::Seen);
    EXPECT_EQ(copy->flags2(), Ref::kChildChecking);
    EXPECT_EQ(copy->extraflags(), OrgRef2::Group);
    EXPECT_EQ(copy->orgprop().fitness, 9);
    EXPECT_EQ(copy->viewitem(), nullptr);
    EXPECT_TRUE(copy->empty());

    SearchRef search(Str("s"));
    FindInfo f;
    f.query = "q";
    search.searchprop().setrequest(f);
    search.searchprop().added = 3;
    search.searchprop().serverinfo.update(ServerInfo{});
    auto searchCopy = search.clone();
    const auto& prop = static_cast<SearchRef&>(*searchCopy).searchprop();
    EXPECT_EQ(prop.query, Str("q"));
    EXPECT_EQ(prop.added, 3u);
    EXPECT_EQ(prop.time, 0u);
    EXPECT_TRUE(prop.serverinfo.empty());
    EXPECT_TRUE(searchCopy->hasflags(Ref::SavedSearch));

    EXPECT_EQ(RefRoot().clone(), nullptr);
    EXPECT_EQ(UrlRef().clone(), nullptr);
    EXPECT_EQ(DomainRef().clone(), nullptr);
}

TEST_F(RefTest, CopyflagsCarriesBothWords) {
    UrlRef from;
    from.setflags(0x1234);
    from.setflags2(0x0080);
    DomainRef to;
    from.copyflags(to);
    EXPECT_EQ(to.flags(), 0x1234);
    EXPECT_EQ(to.flags2(), 0x0080);
}

TEST_F(RefTest, ResultLabels) {
    Object* parentPage = addPage(container, "Same", "http://p/");
    Object* samePage = addPage(container, "Same", "http://s/", date(1994, 11, 6, 8, 49), 1);
    Object* plain = addPage(container, "Plain", "http://x/", {}, 9);
    Object* untitled = addPage(container, "", "http://u/");
    Object* nothing = addPage(container, "", "");
    OrgRef2 group;
    group.settarget(parentPage);
    parentPage->addref();
    EXPECT_EQ(child(group, new OrgRef2(), samePage)->label(),
              Str("http://s/ [06 Nov 1994 08:49] <Win>"));
    EXPECT_EQ(child(group, new OrgRef2(), plain)->label(), Str("Plain <>"));
    EXPECT_EQ(child(group, new OrgRef2(), untitled)->label(), Str("http://u/"));
    EXPECT_EQ(child(group, new OrgRef2(), nothing)->label(), Str(" "));
    // A folder shows its name, and a blank without one.
    EXPECT_EQ(OrgRef2(Str("folder")).label(), Str("folder"));
    EXPECT_EQ(OrgRef2().label(), Str(" "));
    EXPECT_EQ(child(group, new OrgRef2(Str("Work")), nullptr)->label(), Str("Work"));
    // The same title without an address keeps the title.
    Object* headingLike = addPage(container, "Same", "");
    EXPECT_EQ(child(group, new OrgRef2(), headingLike)->label(), Str("Same"));
    // Other classes show their names.
    EXPECT_EQ(UrlRef(Str("piece")).label(), Str("piece"));
    EXPECT_EQ(SearchRef().label(), Str(" "));
}

TEST_F(RefTest, SetrequestNamesTheSearchAndUpdatesTheView) {
    SearchRef search;
    RecordingItem item;
    search.setviewitem(&item);
    FindInfo f;
    f.query = "abc";
    f.max = 20;
    search.setrequest(f, texts);
    EXPECT_EQ(search.name(), Str("Search \"abc\""));
    EXPECT_EQ(item.last, "Search \"abc\"");
    EXPECT_EQ(search.searchprop().max, 20);
    EXPECT_NE(search.searchprop().time, 0u);
    search.setname(Str("other"));
    EXPECT_EQ(item.last, "other");
    EXPECT_EQ(item.calls, 2);
}

TEST_F(RefTest, MergeresultKeepsTheBetterValues) {
    OrgRef2 result(Str("r"));
    RecordingItem item;
    result.setviewitem(&item);
    result.setorgprop({10, 5});
    result.mergeresult({7, 9});
    EXPECT_EQ(result.orgprop().fitness, 10);
    EXPECT_EQ(result.orgprop().sequence, 5);
    result.mergeresult({12, 2});
    EXPECT_EQ(result.orgprop().fitness, 12);
    EXPECT_EQ(result.orgprop().sequence, 2);
    EXPECT_EQ(item.calls, 2);
}

TEST_F(RefTest, Visibility) {
    // The options are those of the document the nodes are in.
    RefRoot root(&container);
    OrgRef2& hidden = *child(root, new OrgRef2());
    hidden.setflags(Ref::Hidden | Ref::New);
    UrlRef& allHidden = *child(root, new UrlRef());
    allHidden.setflags(Ref::HiddenChildren);
    SearchRef& search = *child(root, new SearchRef());
    OrgRef2& plain = *child(root, new OrgRef2());
    OrgRef2& fresh = *child(root, new OrgRef2());
    fresh.setflags(Ref::New);
    OrgRef2 outside;
    outside.setflags(Ref::Hidden);
    EXPECT_FALSE(hidden.isvisible());
    EXPECT_FALSE(allHidden.isvisible());
    EXPECT_TRUE(plain.isvisible());
    texts.onlynew = true;
    EXPECT_FALSE(hidden.isvisible()); // whatever the new-only option says
    EXPECT_TRUE(search.isvisible());  // saved searches show even when not new
    EXPECT_FALSE(plain.isvisible());
    EXPECT_TRUE(fresh.isvisible());
    texts.hidden = true;
    EXPECT_TRUE(hidden.isvisible());
    EXPECT_FALSE(allHidden.isvisible()); // not new
    OrgRef2& unshown = *child(root, new OrgRef2());
    unshown.setflags(Ref::New);
    unshown.setextraflags(OrgRef2::Unshown);
    EXPECT_FALSE(unshown.isvisible());
    // A node in no document reads no options: hidden stays hidden.
    EXPECT_FALSE(outside.isvisible());
}

TEST_F(RefTest, Icons) {
    Object* confirmed = addPage(container, "c", "http://c/");
    confirmed->addflags(Object::Confirmed);
    Object* guessed = addPage(container, "g", "http://g/");
    UrlRef url;
    EXPECT_EQ(url.icon().image, 2);
    EXPECT_TRUE(url.icon().dimmed); // no target
    url.settarget(confirmed);
    confirmed->addref();
    EXPECT_FALSE(url.icon().dimmed);
    DomainRef host;
    host.settarget(guessed);
    guessed->addref();
    EXPECT_TRUE(host.icon().dimmed);
    url.setflags(Ref::Seen);
    EXPECT_EQ(url.icon().image, 4);
    url.addflags(Ref::Changed);
    EXPECT_EQ(url.icon().image, 3);
    url.addflags(Ref::New);
    EXPECT_EQ(url.icon().image, 5);
    url.addflags(Ref::CheckNotFound);
    EXPECT_EQ(url.icon().image, 10);

    OrgRef2 result;
    result.settarget(confirmed);
    confirmed->addref();
    EXPECT_FALSE(result.icon().dimmed);
    child(result, new OrgRef2());
    EXPECT_TRUE(result.icon().dimmed); // has children
    EXPECT_TRUE(OrgRef2().icon().dimmed);
    SearchRef search;
    search.setflags(Ref::New);
    EXPECT_EQ(search.icon().image, 13);
    EXPECT_FALSE(search.icon().dimmed);
}

TEST_F(RefTest, StateIcons) {
    UrlRef n;
    auto state = [&n] {
        const RefStateIcon s = n.stateicon();
        return std::make_pair(s.image, s.kind);
    };
    EXPECT_EQ(state(), std::make_pair(0, 0));
    n.setflags(Ref::CheckUnchanged);
    EXPECT_EQ(state(), std::make_pair(2, 2));
    n.setflags(Ref::CheckChanged);
    EXPECT_EQ(state(), std::make_pair(3, 2));
    n.setflags(Ref::CheckError);
    EXPECT_EQ(state(), std::make_pair(1, 2));
    n.setflags(Ref::CheckNotFound);
    EXPECT_EQ(state(), std::make_pair(1, 2));
    n.setflags2(Ref::kChildChecking);
    EXPECT_EQ(state(), std::make_pair(0, 2));
    n.setflags2(0);
    n.addflags(Ref::Checking);
    EXPECT_EQ(state(), std::make_pair(0, 2));
}

TEST_F(RefTest, ContainerComesFromTheRoot) {
    RefRoot root(&container);
    OrgRef2* a = child(root, new OrgRef2());
    OrgRef2* b = child(*a, new OrgRef2());
    EXPECT_EQ(b->container(), &container);
    EXPECT_EQ(root.container(), &container);
    OrgRef2 loose;
    EXPECT_EQ(loose.container(), nullptr);
    EXPECT_EQ(b->parentref(), a);
}

TEST_F(RefTest, Dumps) {
    Object* page = addPage(container, "T", "http://t/");
    RefRoot root(&container);
    DomainRef* host = child(root, new DomainRef(Str("http://t")), page);
    host->sethostcount(3);
    host->setflags(0x0102);
    child(*host, new UrlRef(Str("path")));
    otmwstream out;
    root.dumptree(out, 0);
    const std::string text(out.buffer().data(), static_cast<std::size_t>(out.tell()));
    EXPECT_NE(text.find(" flags=0x102 item=0x0 name=http://t target=Object 0x"), std::string::npos);
    EXPECT_NE(text.find("http://t/ domainrefcount=3\r\n    0x"), std::string::npos);
    EXPECT_NE(text.find("name=path target=none\r\n"), std::string::npos);
}

} // namespace
} // namespace qx
