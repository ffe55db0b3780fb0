#include "DocRecorder.h"
#include "ScanReference.h"

#include "model/Container.h"
#include "model/DDoc.h"
#include "model/FindInfo.h"
#include "model/Object.h"
#include "model/OrgRef2.h"
#include "model/RefRoot.h"
#include "model/SearchRef.h"
#include "model/UrlRef.h"
#include "stream/iwstream.h"

#include <gtest/gtest.h>

#include <array>

namespace qx {
namespace {

using test::childnames;

ObjectProp props(const char* url, const char* title) {
    ObjectProp p;
    p.url = Str(url);
    p.title = Str(title);
    return p;
}

// folder / search "q" / two results, one of them a page with an address.
struct Source {
    DDoc doc;
    OrgRef2& folder = doc.createfolder(Str("folder"), doc.orgroot(), nullptr);
    SearchRef& search = doc.createsearch(Str("search"), folder, nullptr);
    OrgRef2& page = doc.createresultobject(props("s://x/p", "P"), OrgProp{7, 3}, search, nullptr);
    OrgRef2& heading = doc.createresultobject(props("", "Heading"), OrgProp{0, 9}, search, nullptr);

    Source() {
        FindInfo request;
        request.query = Str("q");
        search.searchprop().setrequest(request);
        page.addflags(Ref::Expanded);
    }
};

TEST(DDocCopy, CopySubtreeClonesNodesAndCountsTargets) {
    Source s;
    Ref* copy = s.doc.copysubtree(s.folder, s.doc.orgroot(), nullptr);
    EXPECT_EQ(childnames(s.doc.orgroot()), "folder,folder");
    auto* search = dynamic_cast<SearchRef*>(copy->first());
    ASSERT_NE(search, nullptr);
    EXPECT_EQ(search->searchprop().query.view(), "q");
    auto* page = dynamic_cast<OrgRef2*>(search->first());
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->target(), s.page.target());
    EXPECT_EQ(page->orgprop().sequence, 3);
    EXPECT_EQ(page->flags(), s.page.flags());
    EXPECT_EQ(s.page.target()->refcounter(), 2u);

    // Into its own subtree: only what was there before is copied.
    s.doc.copysubtree(s.folder, s.search, nullptr);
    EXPECT_EQ(childnames(s.search), "P,Heading,folder");
    EXPECT_EQ(childnames(*static_cast<Ref*>(s.search.lastchild()->firstchild())), "P,Heading");
    EXPECT_EQ(test::checkdocument(s.doc), "");
}

TEST(DDocCopy, DomainNodesCopyAsOrganizerReferences) {
    DDoc doc;
    doc.filedomainnode("s://h/a/b");
    Ref& host = *static_cast<Ref*>(doc.domainroot().first());
    Ref* copy = doc.copyasorganizer(host, doc.orgroot(), nullptr);
    ASSERT_NE(dynamic_cast<OrgRef2*>(copy), nullptr);
    EXPECT_EQ(copy->target(), host.target());
    auto* b = dynamic_cast<OrgRef2*>(copy->firstchild()->firstchild());
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->name().view(), "b");
    EXPECT_EQ(b->target(), nullptr);
    // copysubtree cannot clone them either, and makes references the same way.
    EXPECT_NE(dynamic_cast<OrgRef2*>(doc.copysubtree(host, doc.orgroot(), nullptr)), nullptr);
    EXPECT_EQ(test::checkdocument(doc, true), "");
}

TEST(DDocCopy, MergeJoinsPagesByIdentity) {
    Source s;
    DDoc doc;
    doc.createresultobject(props("s://x/p", "another title"), OrgProp{}, doc.orgroot(), nullptr);
    const std::size_t before = doc.container().count();
    Ref* merged = doc.mergefrom(s.folder, doc.orgroot());
    EXPECT_EQ(doc.container().count(), before + 1); // the heading is new, P is known
    Ref& page = *static_cast<Ref*>(merged->firstchild()->firstchild());
    EXPECT_EQ(page.target(), static_cast<Ref*>(doc.orgroot().first())->target());
    EXPECT_EQ(page.target()->refcounter(), 2u);
    EXPECT_EQ(doc.domainroot().count(), 0u);
    EXPECT_EQ(test::checkdocument(doc), "");
    EXPECT_EQ(test::checkdocument(s.doc), "");
}

TEST(DDocCopy, SelectionPastesWithTargetsAdopted) {
    Source s;
    std::array<const Ref*, 2> selection{&s.search, &s.heading};
    std::unique_ptr<DDoc> clip = s.doc.copyselection(selection);
    EXPECT_EQ(childnames(clip->orgroot()), "search,Heading");
    EXPECT_EQ(test::checkdocument(*clip), "");

    DDoc doc;
    test::DocRecorder views;
    views.bind(doc.orgroot());
    doc.setviews(&views);
    OrgRef2& folder = doc.createfolder(Str("into"), doc.orgroot(), nullptr);
    // The heading is a page here already: the same title and no address.
    Object& heading =
        *doc.createresultobject(props("", "Heading"), OrgProp{}, doc.orgroot(), nullptr).target();
    views.take();

    doc.pasteinto(*clip, folder);
    EXPECT_EQ(views.take(), (std::vector<std::string>{"add search", "add Heading"}));
    EXPECT_EQ(clip->orgroot().count(), 0u);
    EXPECT_EQ(childnames(folder), "search,Heading");
    EXPECT_EQ(static_cast<Ref*>(folder.last())->target(), &heading);
    // The page with an address is filed, under a new confirmed object.
    UrlRef* leaf = doc.finddomainnode("s://x/p");
    ASSERT_NE(leaf, nullptr);
    ASSERT_NE(leaf->target(), nullptr);
    EXPECT_EQ(leaf->target()->flags(), Object::Created | Object::Confirmed);
    EXPECT_EQ(leaf->target()->props().title.view(), "P");
    EXPECT_EQ(static_cast<Ref*>(folder.firstchild()->firstchild())->target(), leaf->target());
    EXPECT_EQ(test::checkdocument(doc), "");
    EXPECT_EQ(test::checkdocument(*clip, true), "");
    clip.reset();

    // Again: the domain node's page now serves the pasted reference.
    doc.pasteinto(*s.doc.copyselection(selection), doc.orgroot());
    EXPECT_EQ(static_cast<Ref*>(doc.orgroot().lastchild()->prevsibling()->firstchild())->target(),
              leaf->target());
    EXPECT_EQ(leaf->target()->refcounter(), 3u);
    EXPECT_EQ(test::checkdocument(doc), "");
}

TEST(DDocCopy, PasteFromABadStreamFails) {
    DDoc doc;
    iwstream in(nullptr);
    EXPECT_EQ(doc.pasteinto(in, doc.orgroot()), -1);
    EXPECT_EQ(doc.orgroot().count(), 0u);
}

} // namespace
} // namespace qx
