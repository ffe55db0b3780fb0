#include "DocRecorder.h"

#include "model/Container.h"
#include "model/DDoc.h"
#include "model/DomainRef.h"
#include "model/Object.h"
#include "model/OrgRef2.h"
#include "model/RefRoot.h"
#include "model/UndoHistory.h"
#include "model/UrlRef.h"
#include "stream/mwstream.h"

#include <gtest/gtest.h>

#include <string>

namespace qx {
namespace {

std::string bytes(DDoc& doc) {
    mwstream out(4096);
    EXPECT_EQ(doc.write(out), 0);
    return std::string(out.buffer().data(), static_cast<std::size_t>(out.buffer().size()));
}

Object& filepage(DDoc& doc, const std::string& url) {
    UrlRef* leaf = doc.filedomainnode(url);
    if (leaf->target())
        return *leaf->target();
    ObjectProp props;
    props.url = Str(url);
    props.title = Str("title of " + url);
    auto object = std::make_unique<Object>(props);
    object->addflags(Object::Confirmed);
    auto* page = static_cast<Object*>(doc.container().add(std::move(object)));
    doc.settarget(*leaf, page);
    return *page;
}

// Folders three deep, results of two hosts filed in several of them, one
// page referred to from two folders.
void fill(DDoc& doc) {
    OrgRef2& outer = doc.createfolder(Str("outer"), doc.orgroot(), nullptr);
    OrgRef2& middle = doc.createfolder(Str("middle"), outer, nullptr);
    OrgRef2& inner = doc.createfolder(Str("inner"), middle, nullptr);
    doc.createfolder(Str("empty"), doc.orgroot(), nullptr);
    for (int i = 0; i < 6; ++i) {
        Object& a = filepage(doc, "http://a.example/p/" + std::to_string(i));
        Object& b = filepage(doc, "http://b.example/q" + std::to_string(i));
        Ref& under = i % 3 == 0 ? outer : i % 3 == 1 ? middle : inner;
        doc.createresult(&a, nullptr, under, nullptr, false);
        doc.createresult(&b, nullptr, inner, nullptr, false);
    }
    doc.createresult(doc.finddomainnode("http://a.example/p/1")->target(), nullptr, outer, nullptr,
                     false);
}

// The host node above a page's domain node.
Ref* host(DDoc& doc, const char* url) {
    Tree* n = doc.finddomainnode(url);
    while (n && n->parent() != &doc.domainroot())
        n = n->parent();
    return static_cast<Ref*>(n);
}

TEST(UndoHistory, ASitesTreeDeleteComesBackWithItsOrganizerNodesByteForByte) {
    DDoc doc;
    fill(doc);
    const std::string before = bytes(doc);
    UndoHistory history;
    history.begin(doc);
    Ref* a = host(doc, "http://a.example/p/0");
    ASSERT_NE(a, nullptr);
    doc.deletesubtree(*a);
    history.changed();
    history.end();
    // The host took the results filed in all three folders along.
    ASSERT_EQ(doc.finddomainnode("http://a.example/p/1"), nullptr);
    EXPECT_NE(bytes(doc), before);
    ASSERT_TRUE(history.canUndo());

    std::unique_ptr<DDoc> back = history.undo(doc.sortservers());
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(bytes(*back), before);
    EXPECT_EQ(test::checkdocument(*back), "");
    ASSERT_NE(back->finddomainnode("http://a.example/p/1"), nullptr);
    EXPECT_EQ(back->referrers(back->finddomainnode("http://a.example/p/1")->target()).size(), 3u);
    EXPECT_FALSE(history.canUndo());
}

TEST(UndoHistory, EachLevelLeadsBackOneStepAndTheOldestGoBeyondTheLimit) {
    auto doc = std::make_unique<DDoc>();
    fill(*doc);
    UndoHistory history(20);
    std::vector<std::string> states;
    // 23 folder deletes and moves, one step each.
    for (int i = 0; i < 23; ++i) {
        states.push_back(bytes(*doc));
        history.begin(*doc);
        if (i % 2 == 0) {
            doc->createfolder(Str("made " + std::to_string(i)), doc->orgroot(), nullptr);
        } else {
            auto* last = static_cast<Ref*>(doc->orgroot().lastchild());
            doc->move(*static_cast<Ref*>(doc->orgroot().firstchild()), *last, nullptr);
        }
        history.changed();
        history.end();
    }
    EXPECT_EQ(history.size(), 20u);
    for (int i = 22; i >= 3; --i) {
        doc = history.undo(doc->sortservers());
        ASSERT_NE(doc, nullptr) << i;
        EXPECT_EQ(bytes(*doc), states[static_cast<std::size_t>(i)]) << i;
    }
    EXPECT_FALSE(history.canUndo());
    EXPECT_EQ(history.undo(0), nullptr);
}

TEST(UndoHistory, StepsWithoutChangeNestedStepsAndOutsideChanges) {
    DDoc doc;
    fill(doc);
    UndoHistory history;
    // A step in which nothing changed (a cancelled dialog) leaves no level.
    history.begin(doc);
    history.end();
    EXPECT_FALSE(history.canUndo());

    // An import made of several changes is one level, taken at its start.
    const std::string start = bytes(doc);
    history.begin(doc);
    doc.createfolder(Str("one"), doc.orgroot(), nullptr);
    history.changed();
    history.begin(doc);
    doc.createfolder(Str("two"), doc.orgroot(), nullptr);
    history.changed();
    history.end();
    EXPECT_TRUE(history.inStep());
    history.end();
    EXPECT_EQ(history.size(), 1u);

    // A search filing results outside a step ends what can be taken back.
    filepage(doc, "http://c.example/");
    history.changed();
    EXPECT_FALSE(history.canUndo());

    history.begin(doc);
    doc.createfolder(Str("three"), doc.orgroot(), nullptr);
    history.changed();
    history.end();
    auto back = history.undo(DDoc::HostsByCount);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->sortservers(), DDoc::HostsByCount);
    EXPECT_NE(bytes(*back), start);
    EXPECT_NE(back->finddomainnode("http://c.example/"), nullptr);
}

} // namespace
} // namespace qx
