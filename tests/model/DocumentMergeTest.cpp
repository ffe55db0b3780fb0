#include "DocRecorder.h"

#include "model/DDoc.h"
#include "model/DocumentMerge.h"
#include "model/FindInfo.h"
#include "model/Object.h"
#include "model/OrgRef2.h"
#include "model/RefRoot.h"
#include "model/SearchRef.h"
#include "model/UrlRef.h"

#include <gtest/gtest.h>

#include <string>

namespace qx {
namespace {

ObjectProp page(const char* url, const char* title = "") {
    ObjectProp p;
    p.url = Str(url);
    p.title = Str(title);
    return p;
}

OrgRef2& reference(DDoc& doc, Ref& parent, const char* url) {
    return doc.createresultobject(page(url), OrgProp{}, parent, nullptr);
}

SearchRef& search(DDoc& doc, Ref& parent, const char* query) {
    SearchRef& made = doc.createsearch(Str(query), parent, nullptr);
    FindInfo request;
    request.query = Str(query);
    made.searchprop().setrequest(request);
    return made;
}

// The tree as text: each node by its name or its page's address, children
// in brackets.
std::string outline(const Ref& parent) {
    std::string text;
    for (Tree* child = parent.firstchild(); child; child = child->nextsibling()) {
        const auto& node = *static_cast<const Ref*>(child);
        if (!text.empty())
            text += ',';
        text += node.target() ? std::string(node.target()->props().url.view())
                              : std::string(node.name().view());
        if (node.firstchild())
            text += '[' + outline(node) + ']';
    }
    return text;
}

// The open document: A/B/x, a saved search q with one result, and t, which
// the copy on disk has dropped.
struct Mine {
    DDoc doc;
    OrgRef2& a = doc.createfolder(Str("A"), doc.orgroot(), nullptr);
    OrgRef2& b = doc.createfolder(Str("B"), a, nullptr);
    OrgRef2& x = reference(doc, b, "s://h/x");
    SearchRef& q = search(doc, doc.orgroot(), "q");
    OrgRef2& r1 = reference(doc, q, "s://h/r1");
    OrgRef2& t = reference(doc, doc.orgroot(), "s://h/t");
};

TEST(DocumentMerge, AddsWhatTheDiskHasAndKeepsEverythingOfTheOpenDocument) {
    Mine mine;
    DDoc disk;
    OrgRef2& a = disk.createfolder(Str("A"), disk.orgroot(), nullptr);
    OrgRef2& b = disk.createfolder(Str("B"), a, nullptr);
    reference(disk, b, "s://h/x");
    reference(disk, b, "s://h/y");
    OrgRef2& c = disk.createfolder(Str("C"), a, nullptr);
    OrgRef2& deep = disk.createfolder(Str("D"), c, nullptr);
    reference(disk, deep, "s://h/z");
    // The same search, named otherwise, with one more result.
    SearchRef& q = search(disk, disk.orgroot(), "q");
    q.setname(Str("Search \"q\" again"));
    reference(disk, q, "s://h/r1");
    reference(disk, q, "s://h/r2");
    OrgRef2& more = disk.createfolder(Str("More"), disk.orgroot(), nullptr);
    search(disk, more, "q2");

    EXPECT_EQ(DocumentMerge::addMissing(mine.doc, disk), 4u);
    EXPECT_EQ(outline(mine.doc.orgroot()),
              "A[B[s://h/x,s://h/y],C[D[s://h/z]]],q[s://h/r1,s://h/r2],s://h/t,More[q2]");
    // The pages added are filed in the domain tree like any other.
    ASSERT_NE(mine.doc.finddomainnode("s://h/y"), nullptr);
    EXPECT_EQ(mine.doc.finddomainnode("s://h/y")->target(),
              static_cast<Ref*>(mine.b.lastchild())->target());
    EXPECT_EQ(test::checkdocument(mine.doc), "");
    EXPECT_EQ(test::checkdocument(disk), "");

    // Merging the same file again finds nothing missing.
    EXPECT_EQ(DocumentMerge::addMissing(mine.doc, disk), 0u);
}

TEST(DocumentMerge, ReferencesWithoutAddressAreTheSameByTitle) {
    DDoc mine;
    mine.createresultobject(page("", "Heading"), OrgProp{}, mine.orgroot(), nullptr);
    DDoc disk;
    disk.createresultobject(page("", "Heading"), OrgProp{}, disk.orgroot(), nullptr);
    disk.createresultobject(page("", "Other"), OrgProp{}, disk.orgroot(), nullptr);
    EXPECT_EQ(DocumentMerge::addMissing(mine, disk), 1u);
    EXPECT_EQ(mine.orgroot().count(), 2u);
    EXPECT_EQ(test::checkdocument(mine), "");
}

TEST(DocumentMerge, AFreshReadKeepsTheExpandedStateOfNodesThatStillExist) {
    Mine old;
    old.a.addflags(Ref::Expanded);
    old.b.clearflags(Ref::Expanded);
    old.doc.filedomainnode("s://h/x");
    static_cast<Ref*>(old.doc.domainroot().firstchild())->addflags(Ref::Expanded);

    Mine fresh;
    fresh.b.addflags(Ref::Expanded);
    OrgRef2& gone = fresh.doc.createfolder(Str("New"), fresh.doc.orgroot(), nullptr);
    gone.addflags(Ref::Expanded);
    fresh.doc.filedomainnode("s://h/x");

    DocumentMerge::keepExpanded(old.doc, fresh.doc);
    EXPECT_TRUE(fresh.a.hasflags(Ref::Expanded));
    EXPECT_FALSE(fresh.b.hasflags(Ref::Expanded));
    EXPECT_TRUE(gone.hasflags(Ref::Expanded)); // nothing to take it from
    EXPECT_TRUE(static_cast<Ref*>(fresh.doc.domainroot().firstchild())->hasflags(Ref::Expanded));
}

TEST(DocumentMerge, TheNodesOfAFreshReadAreFoundForTheOldOnesInTheirOrder) {
    Mine old;
    old.doc.filedomainnode("s://h/x");
    Mine fresh;
    fresh.doc.filedomainnode("s://h/x");
    // t was removed from the fresh read, so it has no counterpart.
    fresh.doc.deletesubtree(fresh.t);

    const std::vector<const Ref*> chosen{&old.x, &old.t, &old.q, &old.a};
    const std::vector<Ref*> found =
        DocumentMerge::counterparts(old.doc.orgroot(), fresh.doc.orgroot(), true, chosen);
    EXPECT_EQ(found, (std::vector<Ref*>{&fresh.x, &fresh.q, &fresh.a}));

    const auto* oldHost = static_cast<const Ref*>(old.doc.domainroot().firstchild());
    const std::vector<Ref*> sites = DocumentMerge::counterparts(
        old.doc.domainroot(), fresh.doc.domainroot(), false, {oldHost, &old.doc.domainroot()});
    ASSERT_EQ(sites.size(), 2u);
    EXPECT_EQ(sites[0], fresh.doc.domainroot().firstchild());
    EXPECT_EQ(sites[1], &fresh.doc.domainroot());
}

} // namespace
} // namespace qx
