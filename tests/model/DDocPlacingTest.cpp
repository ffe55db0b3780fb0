#include "DocRecorder.h"
#include "ScanReference.h"

#include "model/Container.h"
#include "model/DDoc.h"
#include "model/FindInfo.h"
#include "model/Object.h"
#include "model/OrgRef2.h"
#include "model/PreorderWalk.h"
#include "model/RefRoot.h"
#include "model/SearchRef.h"

#include <gtest/gtest.h>

#include <string>

namespace qx {
namespace {

using test::childnames;

// The titles of the children's pages: results are named by their labels,
// which carry the dates.
std::string titles(const Ref& parent) {
    std::string text;
    for (const Node* n = parent.first(); n; n = n->next()) {
        const Object* target = static_cast<const Ref*>(n)->target();
        text +=
            (text.empty() ? "" : ",") + std::string(target ? target->props().title.view() : "-");
    }
    return text;
}

ObjectProp dated(const char* title, std::uint16_t year) {
    ObjectProp props;
    props.title = Str(title);
    props.modified.year = year;
    props.modified.month = 1;
    props.modified.day = 1;
    return props;
}

OrgRef2& result(DDoc& doc, Ref& parent, const char* title, std::uint16_t sequence,
                std::uint16_t year = 0) {
    return doc.createresultobject(dated(title, year), OrgProp{0, sequence}, parent, nullptr);
}

TEST(DDocPlacing, ResultsFollowTheResultOrder) {
    DDoc doc;
    SearchRef& search = doc.createsearch(Str("s"), doc.orgroot(), nullptr);
    EXPECT_EQ(search.flags() & 0x12, 0x12);
    result(doc, search, "five", 5);
    result(doc, search, "two", 2);
    result(doc, search, "nine", 9);
    result(doc, search, "two again", 2);
    EXPECT_EQ(childnames(search), "two,two again,five,nine");
    // Outside a saved search a result goes where it is put.
    OrgRef2& folder = doc.createfolder(Str("f"), doc.orgroot(), nullptr);
    result(doc, folder, "b", 2);
    result(doc, folder, "a", 1);
    EXPECT_EQ(childnames(folder), "b,a");

    DDoc bydate;
    bydate.orgroot().setresultorder(RefRoot::ByDate);
    SearchRef& dates = bydate.createsearch(Str("s"), bydate.orgroot(), nullptr);
    result(bydate, dates, "2001", 1, 2001);
    result(bydate, dates, "1999", 2, 1999);
    result(bydate, dates, "2005", 3, 2005);
    result(bydate, dates, "undated", 4);
    EXPECT_EQ(titles(dates), "2005,2001,1999,undated");
}

TEST(DDocPlacing, RepositionAndSorts) {
    DDoc doc;
    SearchRef& search = doc.createsearch(Str("s"), doc.orgroot(), nullptr);
    OrgRef2& one = result(doc, search, "one", 1);
    result(doc, search, "three", 3);
    OrgRef2& five = result(doc, search, "five", 5);
    one.setorgprop(OrgProp{0, 4});
    doc.reposition(one);
    EXPECT_EQ(childnames(search), "three,one,five");
    doc.reposition(five); // in order: stays
    EXPECT_EQ(childnames(search), "three,one,five");

    // Sorting reorders every child list below the node.
    OrgRef2& group = result(doc, doc.orgroot(), "group", 0);
    result(doc, group, "g8", 8, 2010);
    result(doc, group, "g2", 2, 1990);
    result(doc, group, "g5", 5, 2000);
    doc.sortbysequence(doc.orgroot());
    EXPECT_EQ(titles(group), "g2,g5,g8");
    EXPECT_EQ(titles(search), "three,one,five");
    doc.sortbydate(doc.orgroot());
    EXPECT_EQ(titles(group), "g8,g5,g2");
}

TEST(DDocPlacing, MovesKeepViewsAndRefuseCycles) {
    DDoc doc;
    test::DocRecorder views;
    views.bind(doc.orgroot());
    doc.setviews(&views);
    OrgRef2& a = doc.createfolder(Str("a"), doc.orgroot(), nullptr);
    OrgRef2& b = doc.createfolder(Str("b"), doc.orgroot(), nullptr);
    OrgRef2& inner = doc.createfolder(Str("inner"), a, nullptr);
    views.take();
    doc.move(b, a, nullptr);
    EXPECT_EQ(views.take(), (std::vector<std::string>{"remove a", "add a"}));
    EXPECT_EQ(childnames(b), "a");
    doc.move(inner, b, nullptr); // into its own subtree
    doc.move(b, a, &a);          // before itself
    doc.move(doc.orgroot(), doc.orgroot(), nullptr);
    EXPECT_EQ(views.take(), std::vector<std::string>{});
    EXPECT_EQ(childnames(doc.orgroot()), "b");
    doc.move(doc.orgroot(), inner, &b);
    EXPECT_EQ(childnames(doc.orgroot()), "inner,b");
    EXPECT_EQ(test::checkdocument(doc), "");
}

TEST(DDocPlacing, PropertiesAndCommit) {
    DDoc doc;
    test::DocRecorder views;
    doc.setviews(&views);
    OrgRef2& node = doc.createresultobject(dated("t", 0), OrgProp{}, doc.orgroot(), nullptr);
    Object& object = *node.target();
    EXPECT_EQ(doc.hints(), DDoc::HintNodes);
    ObjectProp props = dated("new title", 2020);
    doc.setobjectprops(object, props);
    EXPECT_EQ(object.props().title.view(), "new title");
    EXPECT_EQ(object.changemask(), 0u); // commit cleared it
    EXPECT_EQ(doc.hints(), 0u);
    EXPECT_EQ(views.take(), (std::vector<std::string>{"changed 0xc2"}));

    SearchRef& search = doc.createsearch(Str("s"), doc.orgroot(), nullptr);
    FindInfo request;
    request.query = Str("abc");
    doc.setsearchrequest(search, request);
    EXPECT_EQ(views.take(), (std::vector<std::string>{"changed 0xc2"}));
    EXPECT_EQ(doc.searchbyquery("abc"), &search);
    EXPECT_EQ(doc.searchbyquery("ab"), nullptr);
    // The first in pre-order wins.
    OrgRef2& folder = doc.createfolder(Str("f"), doc.orgroot(), &search);
    SearchRef& earlier = doc.createsearch(Str("s2"), folder, nullptr);
    doc.setsearchrequest(earlier, request);
    EXPECT_EQ(doc.searchbyquery("abc"), &earlier);
}

TEST(PreorderWalk, ForwardBackwardAndDepthLimit) {
    DDoc doc;
    Ref& root = doc.orgroot();
    OrgRef2& a = doc.createfolder(Str("a"), root, nullptr);
    OrgRef2& b = doc.createfolder(Str("b"), a, nullptr);
    doc.createfolder(Str("c"), b, nullptr);
    doc.createfolder(Str("d"), a, nullptr);
    OrgRef2& e = doc.createfolder(Str("e"), root, nullptr);
    doc.createfolder(Str("f"), e, nullptr);

    auto walk = [](PreorderWalk walk, bool forward) {
        std::string names;
        for (Tree* n = walk.current(); n; n = forward ? walk.next() : walk.prev())
            names += static_cast<Ref*>(n)->parent() ? static_cast<Ref*>(n)->name().view() : "/";
        return names;
    };
    EXPECT_EQ(walk(PreorderWalk(root), true), "/abcdef");
    EXPECT_EQ(walk(PreorderWalk(root, *e.firstchild()), false), "fedcba/");
    EXPECT_EQ(walk(PreorderWalk(root, 1), true), "/ae");
    EXPECT_EQ(walk(PreorderWalk(root, e, 1), false), "ea/");
    EXPECT_EQ(walk(PreorderWalk(a), true), "abcd");
    EXPECT_EQ(walk(PreorderWalk(a, *a.lastchild()), false), "dcba");
    EXPECT_EQ(walk(PreorderWalk(a, b, 0), true), "bd");
    EXPECT_EQ(walk(PreorderWalk(a, e), true), ""); // not in the subtree
}

} // namespace
} // namespace qx
