#include "DocRecorder.h"
#include "ScanReference.h"

#include "model/Container.h"
#include "model/DDoc.h"
#include "model/DomainRef.h"
#include "model/Object.h"
#include "model/RefRoot.h"
#include "stream/memwstream.h"
#include "stream/mwstream.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qx {
namespace {

using test::childnames;

DomainRef* host(DDoc& doc, std::size_t index) {
    return dynamic_cast<DomainRef*>(doc.domainroot().nth(index));
}

TEST(DDocFiling, FilesPathNodesWithTheirOwnPages) {
    DDoc doc;
    UrlRef* b = doc.filedomainnode("scheme://host/a/b");
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(childnames(doc.domainroot()), "scheme://host");
    DomainRef* h = host(doc, 0);
    ASSERT_NE(h, nullptr);
    ASSERT_NE(h->target(), nullptr);
    EXPECT_EQ(h->target()->props().url.view(), "scheme://host");
    EXPECT_EQ(h->target()->flags(), Object::Created);
    auto* a = static_cast<Ref*>(h->first());
    EXPECT_EQ(a->name().view(), "a");
    ASSERT_NE(a->target(), nullptr);
    EXPECT_EQ(a->target()->props().url.view(), "scheme://host/a");
    EXPECT_EQ(b->name().view(), "b");
    EXPECT_EQ(b->target(), nullptr);
    EXPECT_EQ(b->parent(), a);
    EXPECT_EQ(h->hostcount(), 1u);
    EXPECT_EQ(doc.container().count(), 2u);

    EXPECT_EQ(doc.filedomainnode("scheme://host/a/b"), b);
    EXPECT_EQ(doc.container().count(), 2u);
    EXPECT_EQ(h->hostcount(), 1u);
    EXPECT_EQ(doc.finddomainnode("scheme://host/a/b"), b);
    EXPECT_EQ(doc.filedomainnode("scheme://host/a/"), a);
    EXPECT_EQ(h->hostcount(), 1u);
    EXPECT_EQ(test::checkdocument(doc, true), "");
}

TEST(DDocFiling, AddressesWithoutPiecesAndUnknownHosts) {
    DDoc doc;
    doc.filedomainnode("scheme://host/a");
    EXPECT_EQ(doc.finddomainnode(""), nullptr);
    EXPECT_EQ(doc.finddomainnode("scheme://other/a"), nullptr);
    EXPECT_EQ(doc.finddomainnode("scheme://host/b"), nullptr);
    EXPECT_EQ(doc.filedomainnode(""), nullptr);
    EXPECT_EQ(doc.filedomainnode("/a/b"), nullptr);
    EXPECT_EQ(doc.domainroot().count(), 1u);
    // A bare host is the last piece: its node gets no page from filing.
    UrlRef* bare = doc.filedomainnode("scheme://bare");
    ASSERT_NE(bare, nullptr);
    EXPECT_EQ(bare->target(), nullptr);
    EXPECT_EQ(dynamic_cast<DomainRef*>(bare)->hostcount(), 1u);
    // The query of a bare host is a piece of its own.
    EXPECT_EQ(doc.finddomainnode("scheme://bare?q"), nullptr);
    EXPECT_EQ(doc.filedomainnode("scheme://bare?q")->parent(), bare);
    EXPECT_EQ(doc.finddomainnode("scheme://host/a#top"), nullptr);
}

TEST(DDocFiling, HostsIgnoreLetterCasePathsDoNot) {
    for (int type : {DDoc::HostsByName, DDoc::HostsByHost, DDoc::HostsByCount}) {
        DDoc doc;
        doc.setsortservers(type);
        UrlRef* lower = doc.filedomainnode("http://host.com/dir/page");
        UrlRef* upper = doc.filedomainnode("HTTP://Host.COM/Dir/Page");
        UrlRef* mixed = doc.filedomainnode("http://HOST.com/dir/Page");
        EXPECT_EQ(doc.domainroot().count(), 1u) << type;
        EXPECT_NE(lower, upper);
        EXPECT_NE(lower, mixed);
        EXPECT_EQ(mixed->parent(), lower->parent());
        EXPECT_EQ(childnames(*host(doc, 0)), "Dir,dir") << type;
        EXPECT_EQ(host(doc, 0)->hostcount(), 3u);
        EXPECT_EQ(doc.finddomainnode("http://HOST.COM/dir/page"), lower);
        EXPECT_EQ(doc.finddomainnode("http://host.com/Dir/Page"), upper);
        EXPECT_EQ(doc.finddomainnode("http://host.com/DIR/page"), nullptr);
    }
}

TEST(DDocFiling, HostsKeepTheOrderOfEachSortType) {
    const char* urls[] = {"http://www.zeta.com/1", "http://Alpha.org/1", "http://beta.com/1",
                          "http://beta.com/2",     "http://gamma.net/1", "http://beta.com/3",
                          "http://gamma.net/2"};
    DDoc byname, byhost, bycount;
    byhost.setsortservers(DDoc::HostsByHost);
    bycount.setsortservers(DDoc::HostsByCount);
    for (DDoc* doc : {&byname, &byhost, &bycount})
        for (const char* url : urls)
            doc->filedomainnode(url);
    EXPECT_EQ(childnames(byname.domainroot()),
              "http://Alpha.org,http://beta.com,http://gamma.net,http://www.zeta.com");
    EXPECT_EQ(childnames(byhost.domainroot()),
              "http://beta.com,http://www.zeta.com,http://gamma.net,http://Alpha.org");
    EXPECT_EQ(childnames(bycount.domainroot()),
              "http://beta.com,http://gamma.net,http://www.zeta.com,http://Alpha.org");

    // Changing the setting reorders only through sorthosts.
    bycount.setsortservers(DDoc::HostsByName);
    EXPECT_EQ(childnames(bycount.domainroot()),
              "http://beta.com,http://gamma.net,http://www.zeta.com,http://Alpha.org");
    bycount.sorthosts();
    EXPECT_EQ(childnames(bycount.domainroot()), childnames(byname.domainroot()));
    bycount.setsortservers(DDoc::HostsByHost);
    bycount.sorthosts();
    EXPECT_EQ(childnames(bycount.domainroot()), childnames(byhost.domainroot()));
    byname.setsortservers(DDoc::HostsByCount);
    byname.sorthosts();
    EXPECT_EQ(childnames(byname.domainroot()),
              "http://beta.com,http://gamma.net,http://Alpha.org,http://www.zeta.com");
}

TEST(DDocFiling, HostsByCountMoveOnlyWhenOutOfOrder) {
    DDoc doc;
    doc.setsortservers(DDoc::HostsByCount);
    for (const char* url : {"s://a/1", "s://a/2", "s://a/3", "s://b/1", "s://c/1"})
        doc.filedomainnode(url);
    EXPECT_EQ(childnames(doc.domainroot()), "s://a,s://b,s://c");
    doc.filedomainnode("s://c/2"); // 2 against b's 1: moves before b
    EXPECT_EQ(childnames(doc.domainroot()), "s://a,s://c,s://b");
    doc.filedomainnode("s://b/2"); // 2 after c's 2: stays
    EXPECT_EQ(childnames(doc.domainroot()), "s://a,s://c,s://b");
    doc.filedomainnode("s://b/3"); // 3: goes after a, the last host not below it
    EXPECT_EQ(childnames(doc.domainroot()), "s://a,s://b,s://c");
    doc.filedomainnode("s://b/3"); // nothing created, nothing counted
    EXPECT_EQ(host(doc, 1)->hostcount(), 3u);

    // repositionhost puts back a host whose count changed elsewhere.
    host(doc, 2)->sethostcount(9);
    doc.repositionhost(*host(doc, 2));
    EXPECT_EQ(childnames(doc.domainroot()), "s://c,s://a,s://b");
    doc.setsortservers(DDoc::HostsByName);
    host(doc, 2)->sethostcount(99);
    doc.repositionhost(*host(doc, 2));
    EXPECT_EQ(childnames(doc.domainroot()), "s://c,s://a,s://b");
}

// A document read from a file holds its lists in whatever order it was written
// in: hosts "b" before "a" (another sort type, or another program), paths
// likewise. Filing an address that is there finds its node, short lists and
// long ones alike, under every sort type.
TEST(DDocFiling, LoadedListsOutOfOrderFindWhatTheyHold) {
    for (std::size_t extra : {std::size_t{0}, std::size_t{40}}) {
        DDoc written;
        Ref& b =
            written.createdomainnode(written.domainroot(), Str("http://b.com"), nullptr, false);
        written.createdomainnode(written.domainroot(), Str("http://a.com"), nullptr, false);
        for (std::size_t i = extra; i > 0; --i) {
            written.createdomainnode(written.domainroot(),
                                     Str("http://h" + std::to_string(i) + ".com"), nullptr, false);
            written.createdomainnode(b, Str("p" + std::to_string(i)), nullptr, false);
        }
        written.createdomainnode(b, Str("z"), nullptr, false);
        written.createdomainnode(b, Str("y"), nullptr, false);
        mwstream out(4096);
        ASSERT_EQ(written.write(out), 0);
        std::vector<char> bytes(out.buffer().data(), out.buffer().data() + out.buffer().size());

        for (int type : {DDoc::HostsByName, DDoc::HostsByHost, DDoc::HostsByCount}) {
            DDoc doc;
            doc.setsortservers(type);
            memwstream in(bytes.data(), static_cast<int>(bytes.size()));
            ASSERT_EQ(doc.read(in), 0);
            const std::size_t hosts = doc.domainroot().count();
            Ref* a = doc.finddomainnode("http://a.com");
            ASSERT_NE(a, nullptr) << type;
            EXPECT_EQ(doc.filedomainnode("http://a.com/new")->parent(), a) << type;
            EXPECT_EQ(doc.filedomainnode("HTTP://A.COM/new")->parent(), a) << type;
            EXPECT_EQ(doc.domainroot().count(), hosts) << type << " " << extra;
            Ref* y = doc.finddomainnode("http://b.com/y");
            ASSERT_NE(y, nullptr) << type;
            EXPECT_EQ(doc.filedomainnode("http://b.com/y"), y);
            EXPECT_EQ(doc.filedomainnode("http://b.com/z")->parent(), y->parent());
            EXPECT_EQ(y->parent()->count(), extra + 2) << type;
            // A name that is not there still finds a place and is made once.
            UrlRef* made = doc.filedomainnode("http://b.com/q");
            EXPECT_EQ(doc.filedomainnode("http://b.com/q"), made);
            EXPECT_EQ(y->parent()->count(), extra + 3) << type;
        }
    }
}

TEST(DDocFiling, HiddenParentsFileHiddenNodes) {
    DDoc doc;
    UrlRef* a = doc.filedomainnode("s://h/a/");
    a->addflags(Ref::HiddenChildren);
    UrlRef* b = doc.filedomainnode("s://h/a/b/c");
    EXPECT_TRUE(static_cast<Ref*>(b->parent())->hasflags(Ref::Hidden));
    EXPECT_TRUE(b->hasflags(Ref::Hidden));
    EXPECT_FALSE(doc.filedomainnode("s://h/x")->hasflags(Ref::Hidden));
}

TEST(DDocFiling, ViewsGetItemsForFiledNodes) {
    DDoc doc;
    test::DocRecorder views;
    views.bind(doc.domainroot());
    doc.setviews(&views);
    doc.filedomainnode("s://h/a");
    EXPECT_EQ(views.take(), (std::vector<std::string>{"add s://h", "add a"}));
    EXPECT_EQ(test::checkdocument(doc, true), "");
}

} // namespace
} // namespace qx
