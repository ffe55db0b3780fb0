#include "model/ModelTestSupport.h"

#include "exchange/DropEffects.h"
#include "model/DDoc.h"
#include "model/Object.h"
#include "model/ObjectProp.h"
#include "model/OrgProp.h"
#include "model/OrgRef2.h"
#include "model/RefRoot.h"
#include "model/SearchRef.h"
#include "model/UrlRef.h"
#include "ui/tree/refs/RefDrop.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

std::string names(const Ref& parent) {
    std::string out;
    for (auto* n = static_cast<const Ref*>(parent.firstchild()); n;
         n = static_cast<const Ref*>(n->nextsibling()))
        out += (out.empty() ? "" : ",") +
               std::string(n->label().view() == " " ? n->name().view() : n->label().view());
    return out;
}

class RefDropTest : public ::testing::Test {
protected:
    RefDropTest() { doc.setlabeltexts(&texts); }

    OrgRef2& pageNode(const char* url, const char* title, Ref& parent) {
        ObjectProp p;
        p.url = Str(url);
        p.title = Str(title);
        return doc.createresultobject(p, OrgProp{}, parent, nullptr);
    }

    test::FakeLabelTexts texts;
    DDoc doc;
};

TEST_F(RefDropTest, ALeafTakesTheDropBeforeItAFolderOrSearchUnderIt) {
    OrgRef2& folder = doc.createfolder(Str("folder"), doc.orgroot(), nullptr);
    SearchRef& search = doc.createsearch(Str("search"), doc.orgroot(), nullptr);
    OrgRef2& leaf = pageNode("http://a/", "leaf", doc.orgroot());
    EXPECT_EQ(&RefDrop(folder).parent(), &folder);
    EXPECT_EQ(&RefDrop(search).parent(), &search);
    const RefDrop onLeaf(leaf);
    EXPECT_EQ(&onLeaf.parent(), &doc.orgroot());
    EXPECT_EQ(onLeaf.before(), &leaf);
}

TEST_F(RefDropTest, MovesStayOutOfTheirOwnSubtreeAndCarryTheirChildren) {
    OrgRef2& folder = doc.createfolder(Str("folder"), doc.orgroot(), nullptr);
    OrgRef2& inner = doc.createfolder(Str("inner"), folder, nullptr);
    OrgRef2& child = pageNode("http://a/", "child", inner);
    OrgRef2& target = pageNode("http://b/", "target", doc.orgroot());
    Ref* dragged[] = {&inner, &child};
    EXPECT_FALSE(RefDrop(inner).allows(dragged, true, dropeffect::Move));
    EXPECT_FALSE(RefDrop(child).allows(dragged, true, dropeffect::Move));
    EXPECT_TRUE(RefDrop(child).allows(dragged, true, dropeffect::Copy));

    // The child goes along with its folder, not on its own.
    EXPECT_EQ(RefDrop(target).perform(doc, dragged, true, dropeffect::Move), 1);
    EXPECT_EQ(names(doc.orgroot()), "folder,inner,target");
    EXPECT_EQ(child.parent(), static_cast<Tree*>(&inner));
    EXPECT_EQ(names(folder), "");
}

// The tops come in the order of the tree, whatever order they were chosen in;
// nodes inside a chosen subtree and the same node twice drop out, however deep
// the nesting.
TEST_F(RefDropTest, OutermostKeepsTheTopsOfASelectionInTheTreesOrder) {
    OrgRef2& a = doc.createfolder(Str("a"), doc.orgroot(), nullptr);
    OrgRef2& a1 = doc.createfolder(Str("a1"), a, nullptr);
    OrgRef2& a11 = pageNode("http://a/", "a11", a1);
    OrgRef2& b = doc.createfolder(Str("b"), doc.orgroot(), nullptr);
    OrgRef2& b1 = pageNode("http://b/", "b1", b);
    Ref* chosen[] = {&a11, &b1, &a1, &b1, &a11};
    EXPECT_EQ(RefDrop::outermost(chosen), (std::vector<Ref*>{&a1, &b1}));
    Ref* withTop[] = {&b1, &a11, &b, &a};
    EXPECT_EQ(RefDrop::outermost(withTop), (std::vector<Ref*>{&a, &b}));
}

TEST_F(RefDropTest, LinksAreNewReferencesToTheSamePages) {
    OrgRef2& source = pageNode("http://a/", "a", doc.orgroot());
    OrgRef2& folder = doc.createfolder(Str("folder"), doc.orgroot(), nullptr);
    const std::uint32_t before = source.target()->refcounter();
    OrgRef2& other = doc.createfolder(Str("other"), doc.orgroot(), nullptr);
    // A folder has no page to link to: only the page is linked.
    Ref* dragged[] = {&source, &other};
    EXPECT_EQ(RefDrop(folder).perform(doc, dragged, true, dropeffect::Link), 1);
    EXPECT_EQ(static_cast<Ref*>(folder.firstchild())->target(), source.target());
    EXPECT_EQ(source.target()->refcounter(), before + 1);
}

TEST_F(RefDropTest, DroppedLinksJoinKnownPagesAndGoBeforeALeaf) {
    OrgRef2& known = pageNode("http://a.example/x", "known", doc.orgroot());
    doc.adopttargets(known);
    OrgRef2& leaf = pageNode("http://b.example/", "leaf", doc.orgroot());
    const std::vector<exchange::DroppedLink> links = {{"http://a.example/x", "again"},
                                                      {"http://c.example/y", "new"}};
    EXPECT_EQ(RefDrop(leaf).links(doc, links), 2);
    EXPECT_EQ(names(doc.orgroot()), "known,known,new,leaf");
    auto* again = static_cast<Ref*>(known.nextsibling());
    EXPECT_EQ(again->target(), known.target());
    EXPECT_NE(doc.finddomainnode("http://c.example/y"), nullptr);
    EXPECT_EQ(RefDrop(leaf).links(doc, {}), 0);
}

// A link to a bare host ends at the host's node, whose page filing made as a
// mere path piece: the dropped title and the address as given take its place.
TEST_F(RefDropTest, ALinkToABareHostKeepsItsTitleAndAddress) {
    OrgRef2& folder = doc.createfolder(Str("folder"), doc.orgroot(), nullptr);
    const std::vector<exchange::DroppedLink> links = {{"http://example.org/", "Example"},
                                                      {"http://example.net", "Net"}};
    EXPECT_EQ(RefDrop(folder).links(doc, links), 2);
    EXPECT_EQ(names(folder), "Example,Net");
    const Object* org = static_cast<Ref*>(folder.firstchild())->target();
    EXPECT_EQ(org->props().title.view(), "Example");
    EXPECT_EQ(org->props().url.view(), "http://example.org/");
    EXPECT_EQ(doc.finddomainnode("http://example.org/")->target(), org);
    EXPECT_EQ(static_cast<Ref*>(folder.lastchild())->target()->props().url.view(),
              "http://example.net");
    // Once it has a title of its own, a later drop does not take it away.
    EXPECT_EQ(RefDrop(folder).links(doc, {{"http://example.org/", "Other"}}), 1);
    EXPECT_EQ(static_cast<Ref*>(folder.lastchild())->target(), org);
    EXPECT_EQ(org->props().title.view(), "Example");
}

} // namespace
} // namespace qx
