#include "DocRecorder.h"
#include "ScanReference.h"

#include "model/Container.h"
#include "model/DDoc.h"
#include "model/DomainRef.h"
#include "model/Object.h"
#include "model/OrgRef2.h"
#include "model/RefRoot.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

using test::childnames;

// A page as a search files it: its domain node, with a confirmed object.
Object& filepage(DDoc& doc, const char* url) {
    UrlRef* leaf = doc.filedomainnode(url);
    if (leaf->target())
        return *leaf->target();
    ObjectProp props;
    props.url = Str(url);
    props.title = Str(url);
    auto object = std::make_unique<Object>(props);
    object->addflags(Object::Confirmed);
    auto* page = static_cast<Object*>(doc.container().add(std::move(object)));
    doc.settarget(*leaf, page);
    return *page;
}

bool holds(DDoc& doc, const Object* object) {
    return doc.container().contains(object);
}

TEST(DDocDelete, OrganizerReferenceTakesItsDomainLeafAndBarePathNodes) {
    DDoc doc;
    Object& page = filepage(doc, "s://h/a/page");
    OrgRef2& folder = doc.createfolder(Str("folder"), doc.orgroot(), nullptr);
    OrgRef2& result = doc.createresult(&page, nullptr, folder, nullptr, false);
    EXPECT_EQ(page.refcounter(), 2u);

    doc.deletesubtree(result);
    EXPECT_FALSE(holds(doc, &page));
    EXPECT_EQ(doc.domainroot().count(), 0u); // a and the host stood for nothing else
    EXPECT_EQ(doc.container().count(), 0u);
    EXPECT_EQ(childnames(doc.orgroot()), "folder");
    EXPECT_EQ(doc.hints() & (DDoc::HintNodes | DDoc::HintDeleted), 0xC0u);
    EXPECT_EQ(test::checkdocument(doc), "");
}

TEST(DDocDelete, ConfirmedPathPagesStay) {
    DDoc doc;
    Object& page = filepage(doc, "s://h/a/page");
    // The path node's own object, reported by a search as a page of its own.
    Object& a = filepage(doc, "s://h/a");
    a.addflags(Object::Confirmed);
    OrgRef2& result = doc.createresult(&page, nullptr, doc.orgroot(), nullptr, false);
    doc.deletesubtree(result);
    EXPECT_FALSE(holds(doc, &page));
    ASSERT_NE(doc.finddomainnode("s://h/a"), nullptr);
    EXPECT_EQ(doc.finddomainnode("s://h/a")->first(), nullptr);
    EXPECT_EQ(test::checkdocument(doc), "");
}

TEST(DDocDelete, PageWithAnotherReferenceStays) {
    DDoc doc;
    Object& page = filepage(doc, "s://h/page");
    OrgRef2& one = doc.createresult(&page, nullptr, doc.orgroot(), nullptr, false);
    doc.createresult(&page, nullptr, doc.orgroot(), nullptr, false);
    doc.deletesubtree(one);
    EXPECT_TRUE(holds(doc, &page));
    EXPECT_EQ(page.refcounter(), 2u);
    EXPECT_NE(doc.finddomainnode("s://h/page"), nullptr);
    EXPECT_EQ(test::checkdocument(doc), "");
}

TEST(DDocDelete, PageStandingForAPathBecomesAPathNode) {
    DDoc doc;
    Object& a = filepage(doc, "s://h/a");
    Object& b = filepage(doc, "s://h/a/b");
    OrgRef2& ra = doc.createresult(&a, nullptr, doc.orgroot(), nullptr, false);
    OrgRef2& rb = doc.createresult(&b, nullptr, doc.orgroot(), nullptr, false);

    doc.deletesubtree(ra);
    ASSERT_TRUE(holds(doc, &a));
    EXPECT_FALSE(a.hasflags(Object::Confirmed));
    EXPECT_EQ(a.refcounter(), 1u);

    // Now a path node like any other: it goes with its last page.
    doc.deletesubtree(rb);
    EXPECT_FALSE(holds(doc, &a));
    EXPECT_FALSE(holds(doc, &b));
    EXPECT_EQ(doc.domainroot().count(), 0u);
    EXPECT_EQ(test::checkdocument(doc), "");
}

TEST(DDocDelete, DomainSubtreeTakesOrganizerLeavesOfItsPages) {
    DDoc doc;
    Object& a = filepage(doc, "s://h/a");
    Object& b = filepage(doc, "s://h/a/b");
    Object& other = filepage(doc, "s://k/x");
    OrgRef2& folder = doc.createfolder(Str("folder"), doc.orgroot(), nullptr);
    doc.createresult(&a, nullptr, folder, nullptr, false);
    doc.createresult(&b, nullptr, folder, nullptr, false);
    // A group standing for b keeps its page: it is not a leaf.
    OrgRef2& group = doc.createresult(&b, nullptr, doc.orgroot(), nullptr, false);
    doc.createresult(&other, nullptr, group, nullptr, false);

    doc.deletesubtree(*static_cast<Ref*>(doc.domainroot().firstchild()));
    EXPECT_EQ(childnames(doc.domainroot()), "s://k");
    EXPECT_EQ(folder.count(), 0u);
    EXPECT_FALSE(holds(doc, &a));
    ASSERT_TRUE(holds(doc, &b));
    EXPECT_EQ(b.refcounter(), 1u);
    EXPECT_EQ(group.target(), &b);
    EXPECT_EQ(test::checkdocument(doc), "");

    // A domain leaf goes even when its page is still referred to elsewhere.
    doc.deletesubtree(*doc.finddomainnode("s://k/x"));
    EXPECT_EQ(group.count(), 0u);
    EXPECT_EQ(doc.domainroot().count(), 0u);
    EXPECT_EQ(test::checkdocument(doc), "");
}

TEST(DDocDelete, ViewsAndWorkersHearOncePerSubtree) {
    DDoc doc;
    test::DocRecorder recorder;
    recorder.bind(doc.orgroot());
    recorder.bind(doc.domainroot());
    doc.setviews(&recorder);
    doc.setworkers(&recorder);
    Object& page = filepage(doc, "s://h/p");
    OrgRef2& folder = doc.createfolder(Str("folder"), doc.orgroot(), nullptr);
    OrgRef2& inner = doc.createfolder(Str("inner"), folder, nullptr);
    doc.createresult(&page, nullptr, inner, nullptr, false);
    recorder.take();

    doc.deletesubtree(folder);
    EXPECT_EQ(recorder.take(),
              (std::vector<std::string>{"remove folder", "dropjobs folder", "dropjobs p",
                                        "remove p", "dropjobs s://h", "remove s://h"}));
    EXPECT_EQ(test::checkdocument(doc), "");
}

TEST(DDocDelete, RootsStay) {
    DDoc doc;
    filepage(doc, "s://h/p");
    doc.deletesubtree(doc.domainroot());
    doc.deletenode(doc.orgroot());
    EXPECT_EQ(doc.domainroot().count(), 1u);
    EXPECT_EQ(doc.hints(), 0u);
}

TEST(DDocDelete, DeleteNodeLeavesPagesToTheCaller) {
    DDoc doc;
    Object& page = filepage(doc, "s://h/p");
    OrgRef2& result = doc.createresult(&page, nullptr, doc.orgroot(), nullptr, false);
    doc.deletenode(result);
    EXPECT_EQ(page.refcounter(), 1u);
    EXPECT_TRUE(holds(doc, &page));
}

} // namespace
} // namespace qx
