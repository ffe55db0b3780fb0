#include "DocRecorder.h"
#include "DocumentBytes.h"
#include "FailingStreamBuf.h"
#include "ModelTestSupport.h"
#include "ScanReference.h"
#include "TempDir.h"

#include "model/Container.h"
#include "model/DDoc.h"
#include "model/DocumentFormat.h"
#include "model/DomainRef.h"
#include "model/Object.h"
#include "model/OrgRef2.h"
#include "model/RefRoot.h"
#include "model/SearchRef.h"
#include "stream/mwstream.h"
#include "stream/owstream.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace qx {
namespace {

using test::ByteSource;
using test::DocumentBytes;

std::string written(DDoc& doc, int* result = nullptr) {
    // Grown in steps: growing to each write's end copies a large document
    // over and over.
    mwstream out(1 << 16);
    int r = doc.write(out);
    if (result) {
        *result = r;
    }
    return test::bytesof(out);
}

int readinto(DDoc& doc, const std::string& bytes) {
    ByteSource source(bytes);
    return doc.read(source.stream());
}

Object& addpage(DDoc& doc, const char* title, const char* url, std::uint16_t flags = 0) {
    ObjectProp p;
    p.title = title;
    p.url = url;
    auto object = std::make_unique<Object>(p);
    object->setflags(flags);
    return *static_cast<Object*>(doc.container().add(std::move(object)));
}

Ref* child(Ref& parent, std::size_t index) {
    return static_cast<Ref*>(parent.nth(index));
}

// A document with every node class, every stored flag and every field of the
// saved search properties.
void filleveryclass(DDoc& doc) {
    ObjectProp full;
    full.status = "404 Not Found";
    full.title = "Title";
    full.url = "http://host/a/page";
    full.modified = {1994, 11, 0, 6, 8, 49, 37, 5};
    full.charset = 3;
    full.size = 123456;
    full.servers = 0x8421;
    full.comment = "comment";
    auto object = std::make_unique<Object>(full);
    object->setflags(0x1F);
    auto* page = static_cast<Object*>(doc.container().add(std::move(object)));
    Object& lone = addpage(doc, "Lone", "", Object::Created);

    doc.orgroot().setresultorder(RefRoot::ByDate);
    doc.orgroot().setflags(Ref::Expanded);
    OrgRef2& folder = doc.createfolder("Folder", doc.orgroot(), nullptr);
    doc.createresult(page, nullptr, folder, nullptr, false);
    // After its child: filing puts the derived hidden mark right.
    folder.setflags(0xFFFF);
    folder.setextraflags(0xFFFF);
    folder.setorgprop({7, 9});
    SearchRef& search = doc.createsearch("Search", doc.orgroot(), nullptr);
    SearchProp& prop = search.searchprop();
    prop.query = "query words";
    prop.max = -5;
    prop.servers = 0xFFFF;
    prop.check = true;
    prop.queryMode = 3;
    prop.exclude = "exclude";
    prop.total = 1;
    prop.added = 2;
    prop.broken = 3;
    prop.time = 0x0123456789ABCDEFULL;
    prop.serverinfo.update({1, -1, 2, "timed out", 0});
    prop.serverinfo.update({4, 3, 0, "", 0});
    prop.serverinfo.find(1)->time = 0x01D0000000000001ULL;
    prop.serverinfo.find(4)->time = 0x01D0000000000002ULL;
    OrgRef2& result = doc.createresult(&lone, nullptr, search, nullptr, false);
    result.setorgprop({100, 1});

    UrlRef* leaf = doc.filedomainnode("http://host/a/page");
    doc.settarget(*leaf, page);
    leaf->setflags(Ref::CheckNotFound | Ref::Hidden);
    doc.domainroot().setresultorder(1);
    static_cast<DomainRef*>(doc.domainroot().first())->sethostcount(0x01020304);
}

TEST(DocumentFormat, EmptyDocumentIsFortyTwoBytes) {
    DDoc doc;
    int result = -1;
    std::string bytes = written(doc, &result);
    EXPECT_EQ(result, 0);
    DocumentBytes expected;
    expected.header(3).u16(0);
    for (int tree = 0; tree < 2; ++tree) {
        expected.record(DocumentBytes::root()).u16(0);
    }
    ASSERT_EQ(bytes.size(), 42u);
    EXPECT_EQ(bytes, expected.str());

    DDoc back;
    EXPECT_EQ(readinto(back, bytes), 0);
    EXPECT_EQ(back.container().count(), 0u);
    EXPECT_TRUE(back.orgroot().empty());
}

TEST(DocumentFormat, EveryClassFlagAndFieldSurvivesByteForByte) {
    test::FakeLabelTexts texts;
    DDoc doc;
    doc.setlabeltexts(&texts);
    filleveryclass(doc);
    std::string first = written(doc);

    DDoc back;
    ASSERT_EQ(readinto(back, first), 0);
    EXPECT_EQ(written(back), first);
    EXPECT_EQ(test::checkdocument(back, true), "");

    // Only the stored bits come back.
    auto& folder = static_cast<OrgRef2&>(*child(back.orgroot(), 0));
    EXPECT_EQ(folder.flags(), 0xF157);
    EXPECT_EQ(folder.extraflags(), 0x0001);
    EXPECT_EQ(back.orgroot().resultorder(), RefRoot::ByDate);
    auto* object = static_cast<Object*>(back.container().iterate().current());
    EXPECT_EQ(object->flags(), 0x1E);
    EXPECT_EQ(object->props().comment.view(), "comment");
    auto& search = dynamic_cast<SearchRef&>(*child(back.orgroot(), 1));
    EXPECT_EQ(search.searchprop().max, -5);
    EXPECT_EQ(search.searchprop().serverinfo.count(), 2u);
    EXPECT_EQ(search.searchprop().serverinfo.first()->info.error.view(), "timed out");
    auto* host = dynamic_cast<DomainRef*>(back.domainroot().first());
    ASSERT_NE(host, nullptr);
    EXPECT_EQ(host->hostcount(), 0x01020304u);
}

TEST(DocumentFormat, IdentifiersAreRenumberedAndTargetsCounted) {
    // Objects stored as 5, 3 and 9; nodes refer to 3 (twice), 9 and 4 (none).
    DocumentBytes b;
    b.header(3).u16(3);
    b.record(DocumentBytes::object(5, "five", "http://five/"));
    b.record(DocumentBytes::object(3, "three", "http://three/"));
    b.record(DocumentBytes::object(9, "nine", "http://nine/"));
    b.record(DocumentBytes::root()).u16(3);
    for (unsigned target : {3u, 9u, 4u}) {
        DocumentBytes body;
        body.u8(2).u16(0).u16(0).u16(0).raw(DocumentBytes::ref(0, target, "r").str());
        b.record(body).u16(0);
    }
    b.record(DocumentBytes::root()).u16(1);
    b.record(DocumentBytes().u8(3).raw(DocumentBytes::ref(0, 3, "u").str())).u16(0);

    DDoc doc;
    ASSERT_EQ(readinto(doc, b.str()), 0);
    EXPECT_EQ(test::checkdocument(doc, true), "");
    EXPECT_EQ(child(doc.orgroot(), 0)->target()->props().title.view(), "three");
    EXPECT_EQ(child(doc.orgroot(), 1)->target()->props().title.view(), "nine");
    EXPECT_EQ(child(doc.orgroot(), 2)->target(), nullptr);
    EXPECT_EQ(child(doc.orgroot(), 0)->target()->refcounter(), 2u);
    EXPECT_EQ(child(doc.orgroot(), 1)->target()->refcounter(), 1u);

    // Written again, the objects are 1, 2, 3 in container order.
    std::string again = written(doc);
    ByteSource source(again);
    DDoc reread;
    ASSERT_EQ(reread.read(source.stream()), 0);
    EXPECT_NE(again.find(DocumentBytes::ref(0, 2, "r").str()), std::string::npos);
    EXPECT_NE(again.find(DocumentBytes::ref(0, 3, "r").str()), std::string::npos);
    EXPECT_NE(again.find(DocumentBytes::ref(0, 0, "r").str()), std::string::npos);
}

// The domain tree of the first two versions: no kind bytes, hosts stored as
// path nodes.
std::string oldfile(unsigned version) {
    DocumentBytes b;
    b.header(version).u16(1);
    b.record(DocumentBytes::object(1, "Host", "scheme://host", 0x08));
    b.record(DocumentBytes::root()).u16(1);
    DocumentBytes result;
    result.u8(2).u16(5).u16(6);
    if (version >= 2) {
        result.u16(0x0003);
    }
    result.raw(DocumentBytes::ref(0x0002, 1, "Host").str());
    b.record(result).u16(0);
    b.record(DocumentBytes::root()).u16(1);
    b.record(DocumentBytes::ref(0x0001, 1, "scheme://host")).u16(2);
    b.record(DocumentBytes::ref(0, 0, "a")).u16(0);
    b.record(DocumentBytes::ref(0, 0, "b")).u16(0);
    return b.str();
}

TEST(DocumentFormat, OldVersionsReadWithHostsConverted) {
    for (unsigned version : {1u, 2u}) {
        SCOPED_TRACE(version);
        DDoc doc;
        ASSERT_EQ(readinto(doc, oldfile(version)), 0);
        auto* host = dynamic_cast<DomainRef*>(doc.domainroot().first());
        ASSERT_NE(host, nullptr);
        EXPECT_EQ(doc.domainroot().count(), 1u);
        EXPECT_EQ(host->name().view(), "scheme://host");
        EXPECT_EQ(host->hostcount(), 0u);
        EXPECT_EQ(host->flags(), Ref::Expanded);
        EXPECT_EQ(test::childnames(*host), "a,b");
        ASSERT_NE(host->target(), nullptr);
        EXPECT_EQ(host->target()->refcounter(), 2u);
        EXPECT_EQ(test::checkdocument(doc), "");

        auto& result = static_cast<OrgRef2&>(*child(doc.orgroot(), 0));
        EXPECT_EQ(result.orgprop().fitness, 5);
        EXPECT_EQ(result.orgprop().sequence, 6);
        EXPECT_EQ(result.extraflags(), version >= 2 ? 0x0001 : 0);
        EXPECT_EQ(result.name().view(), "Host");
        EXPECT_EQ(doc.finddomainnode("scheme://host/b"), child(*host, 1));

        // Saved again, the document is of the current version.
        std::string again = written(doc);
        EXPECT_EQ(again.substr(14, 4), std::string("\x03\x00\x00\x00", 4));
    }
}

TEST(DocumentFormat, BytesBeyondTheKnownFieldsAreSkipped) {
    DocumentBytes b;
    b.header(3).u16(2);
    b.record(DocumentBytes::object(1, "one", "http://one/").raw("XXXX"));
    b.record(DocumentBytes::object(2, "two", "http://two/"));
    b.record(DocumentBytes::root().raw("more")).u16(1);
    DocumentBytes folder;
    folder.u8(2).u16(0).u16(0).u16(0).raw(DocumentBytes::ref(0, 2, "f").str()).raw("tail");
    b.record(folder).u16(0);
    b.record(DocumentBytes::root()).u16(0);

    DDoc doc;
    ASSERT_EQ(readinto(doc, b.str()), 0);
    EXPECT_EQ(doc.container().count(), 2u);
    ASSERT_NE(child(doc.orgroot(), 0)->target(), nullptr);
    EXPECT_EQ(child(doc.orgroot(), 0)->target()->props().title.view(), "two");
}

TEST(DocumentFormat, BadMagicAndUnknownVersions) {
    DDoc doc;
    EXPECT_EQ(readinto(doc, ""), DocumentFormat::NotDocument);
    EXPECT_EQ(readinto(doc, "Norba Edit"), DocumentFormat::NotDocument);
    EXPECT_EQ(readinto(doc, std::string("Norba Editor\x1A\x01\x03\x00\x00\x00", 18)),
              DocumentFormat::NotDocument);
    for (std::uint32_t version : {0u, 5u, 0xFFFFFFFFu}) {
        DDoc fresh;
        EXPECT_EQ(readinto(fresh, DocumentBytes().header(version).u16(0).str()),
                  DocumentFormat::BadVersion);
    }
}

TEST(DocumentFormat, NonsenseRecordsFailTheLoad) {
    // An unknown kind byte leaves the stream good, yet the load fails.
    DocumentBytes b;
    b.header(3).u16(0);
    b.record(DocumentBytes::root()).u16(2);
    DocumentBytes folder;
    folder.u8(2).u16(0).u16(0).u16(0).raw(DocumentBytes::ref(0, 0, "kept").str());
    b.record(folder).u16(0);
    b.record(DocumentBytes().u8(7).raw(DocumentBytes::ref(0, 0, "x").str())).u16(0);
    b.record(DocumentBytes::root()).u16(0);
    DDoc doc;
    EXPECT_EQ(readinto(doc, b.str()), DocumentFormat::StreamFailed);

    // The root kind is written for a root out of place but never read.
    DocumentBytes rootkind;
    rootkind.header(3).u16(0).record(DocumentBytes::root()).u16(1);
    rootkind.record(DocumentBytes().u8(1).raw(DocumentBytes::root().str())).u16(0);
    rootkind.record(DocumentBytes::root()).u16(0);
    DDoc other;
    EXPECT_EQ(readinto(other, rootkind.str()), DocumentFormat::StreamFailed);
}

TEST(DocumentFormat, AnObjectCutShortIsNeitherKeptNorFound) {
    DocumentBytes b;
    b.header(3).u16(2);
    b.record(DocumentBytes::object(1, "one", "http://one/"));
    std::string second =
        DocumentBytes().record(DocumentBytes::object(2, "two", "http://two/")).str();
    std::string bytes = b.str() + second.substr(0, second.size() - 3);
    DDoc doc;
    EXPECT_EQ(readinto(doc, bytes), DocumentFormat::StreamFailed);
    EXPECT_EQ(doc.container().count(), 1u);
    EXPECT_EQ(test::checkdocument(doc, true), "");
}

TEST(DocumentFormat, EveryCutOfADocumentFailsCleanly) {
    test::FakeLabelTexts texts;
    DDoc doc;
    doc.setlabeltexts(&texts);
    filleveryclass(doc);
    std::string bytes = written(doc);
    for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
        DDoc partial;
        int result = readinto(partial, bytes.substr(0, cut));
        ASSERT_NE(result, 0) << "cut at " << cut;
        ASSERT_EQ(test::checkdocument(partial, true), "") << "cut at " << cut;
    }
}

TEST(DocumentFormat, HugeCountsOnFewBytesEndQuickly) {
    // The counts promise far more than the bytes hold: the read ends at the
    // end of the data instead of looping or allocating for the promise.
    DocumentBytes narrow;
    narrow.header(3).u16(0xFFFF).record(DocumentBytes::object(1, "t", "u"));
    DocumentBytes wide;
    wide.header(4).u32(0).record(DocumentBytes::root(0, true)).u32(0xFFFFFFFF);
    wide.record(DocumentBytes().u8(2).u16(0).u16(0).u16(0).u16(0).u32(0).text("n")).u32(0xFFFFFFFF);
    for (const DocumentBytes* b : {&narrow, &wide}) {
        DDoc doc;
        EXPECT_EQ(readinto(doc, b->str()), DocumentFormat::StreamFailed);
    }
}

TEST(DocumentFormat, DeeplyNestedTreesNeedNoStack) {
    constexpr int kDepth = 100000;
    DDoc doc;
    Object& page = addpage(doc, "deep", "http://deep/");
    Ref* parent = &doc.orgroot();
    for (int i = 0; i < kDepth; ++i) {
        auto* node = new OrgRef2("n");
        parent->append(node);
        parent = node;
    }
    parent->settarget(&page);
    page.addref();
    std::string bytes = written(doc);

    DDoc back;
    ASSERT_EQ(readinto(back, bytes), 0);
    Tree* deepest = &back.orgroot();
    while (!deepest->empty()) {
        deepest = deepest->firstchild();
    }
    EXPECT_EQ(deepest->depth(), kDepth);
    EXPECT_EQ(static_cast<Ref*>(deepest)->target()->refcounter(), 1u);
    EXPECT_EQ(written(back), bytes);
}

TEST(DocumentFormat, LargeDocumentsUseTheWideForm) {
    // More objects than 16 bits can number.
    DDoc many;
    constexpr unsigned kPages = 70000;
    for (unsigned i = 0; i < kPages; ++i) {
        std::string url = "http://h/" + std::to_string(i);
        Object& page = addpage(many, "", url.c_str());
        many.createresult(&page, nullptr, many.orgroot(), nullptr, false);
    }
    std::string bytes = written(many);
    EXPECT_EQ(bytes.substr(14, 4), std::string("\x04\x00\x00\x00", 4));
    DDoc back;
    ASSERT_EQ(readinto(back, bytes), 0);
    EXPECT_EQ(back.container().count(), kPages);
    EXPECT_EQ(back.orgroot().count(), kPages);
    EXPECT_EQ(static_cast<Ref*>(back.orgroot().last())->target()->props().url.view(),
              "http://h/69999");
    EXPECT_EQ(test::checkdocument(back), "");
    EXPECT_EQ(written(back), bytes);

    // Few objects, but a node with more children than a 16-bit count holds.
    DDoc wide;
    for (unsigned i = 0; i < kPages; ++i) {
        wide.orgroot().append(new OrgRef2("f"));
    }
    std::string folders = written(wide);
    EXPECT_EQ(folders.substr(14, 4), std::string("\x04\x00\x00\x00", 4));
    DDoc folderback;
    ASSERT_EQ(readinto(folderback, folders), 0);
    EXPECT_EQ(folderback.orgroot().count(), kPages);
}

TEST(DocumentFormat, RecordsLongerThanTheirLengthFieldReadBack) {
    // Four long texts make an object record longer than 16 bits can count.
    DDoc doc;
    ObjectProp p;
    std::string longtext(60000, 'x');
    p.status = p.title = p.url = p.comment = Str(longtext);
    Object& page = *static_cast<Object*>(doc.container().add(std::make_unique<Object>(p)));
    doc.createresult(&page, nullptr, doc.orgroot(), nullptr, false);
    std::string bytes = written(doc);
    DDoc back;
    ASSERT_EQ(readinto(back, bytes), 0);
    EXPECT_EQ(written(back), bytes);
    EXPECT_EQ(child(back.orgroot(), 0)->target()->props().comment.view(), longtext);
}

TEST(DocumentFormat, WriteFailuresAreReported) {
    test::FakeLabelTexts texts;
    DDoc doc;
    doc.setlabeltexts(&texts);
    filleveryclass(doc);
    std::size_t size = written(doc).size();
    for (std::size_t limit : {std::size_t{0}, std::size_t{10}, std::size_t{60}, size - 1}) {
        test::FailingStreamBuf buf(static_cast<int>(limit));
        owstream out(&buf);
        EXPECT_EQ(doc.write(out), 1) << limit;
        EXPECT_EQ(doc.container().table().count(), 0u);
    }
}

TEST(DocumentFormat, ClipboardCopyPastesIntoAnotherDocument) {
    DDoc source;
    Object& page = addpage(source, "Page", "http://host/p", Object::Confirmed);
    OrgRef2& folder = source.createfolder("Folder", source.orgroot(), nullptr);
    source.createresult(&page, nullptr, folder, nullptr, false);
    const Ref* selection[] = {&folder};
    std::unique_ptr<DDoc> copy = source.copyselection(selection);
    std::string clip = written(*copy);

    DDoc target;
    ByteSource in(clip);
    ASSERT_EQ(target.pasteinto(in.stream(), target.orgroot()), 0);
    EXPECT_EQ(test::childnames(target.orgroot()), "Folder");
    Ref* pasted = child(*child(target.orgroot(), 0), 0);
    ASSERT_NE(pasted->target(), nullptr);
    EXPECT_EQ(pasted->target()->props().url.view(), "http://host/p");
    EXPECT_EQ(target.finddomainnode("http://host/p")->target(), pasted->target());
    EXPECT_EQ(test::checkdocument(target), "");

    // A clipboard that is not a document pastes nothing.
    ByteSource junk("junk");
    EXPECT_EQ(target.pasteinto(junk.stream(), target.orgroot()), DocumentFormat::NotDocument);
    EXPECT_EQ(target.orgroot().count(), 1u);
}

// A small document in the wide form, which the writer uses only for large
// ones.
std::string widefile() {
    DocumentBytes b;
    b.header(4).u32(2);
    b.record(DocumentBytes::object(1, "Host", "http://host", Object::Created, true));
    b.record(DocumentBytes::object(70000, "Page", "http://host/p", Object::Confirmed, true));
    b.record(DocumentBytes::root(0, true)).u32(1);
    DocumentBytes folder;
    folder.u8(2).u16(1).u16(2).u16(0).raw(DocumentBytes::ref(0, 70000, "Page", true).str());
    b.record(folder).u32(0);
    b.record(DocumentBytes::root(0, true)).u32(1);
    DocumentBytes host;
    host.u8(2).u32(1).raw(DocumentBytes::ref(0, 1, "http://host", true).str());
    b.record(host).u32(1);
    b.record(DocumentBytes().u8(3).raw(DocumentBytes::ref(0, 70000, "p", true).str())).u32(0);
    return b.str();
}

TEST(DocumentFormat, WideFormReadsSmallDocumentsToo) {
    DDoc doc;
    ASSERT_EQ(readinto(doc, widefile()), 0);
    EXPECT_EQ(test::checkdocument(doc), "");
    UrlRef* page = doc.finddomainnode("http://host/p");
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->target(), child(doc.orgroot(), 0)->target());
    EXPECT_EQ(page->target()->refcounter(), 2u);
    // Written again, it fits the narrow form.
    EXPECT_EQ(written(doc).substr(14, 4), std::string("\x03\x00\x00\x00", 4));
}

// The seeds of the document fuzzer: an empty document, both old versions, the
// wide form and a document with every class. Run with QX_WRITE_SEEDS=1 to
// write them anew after a change of the format.
TEST(DocumentFormat, FuzzSeedsAreCurrent) {
    test::FakeLabelTexts texts;
    DDoc empty;
    DDoc every;
    every.setlabeltexts(&texts);
    filleveryclass(every);
    const std::pair<const char*, std::string> seeds[] = {
        {"empty.qxo", written(empty)},      {"version1.qxo", oldfile(1)},
        {"version2.qxo", oldfile(2)},       {"wide.qxo", widefile()},
        {"everyclass.qxo", written(every)},
    };
    const std::string folder = QX_SOURCE_DIR "/tools/fuzz/corpus/document/";
    for (const auto& [name, bytes] : seeds) {
        if (std::getenv("QX_WRITE_SEEDS")) {
            std::ofstream(folder + name, std::ios::binary) << bytes;
        }
        EXPECT_EQ(test::TempDir::read(folder + name), bytes) << name;
        DDoc doc;
        EXPECT_EQ(readinto(doc, bytes), 0) << name;
    }
}

} // namespace
} // namespace qx
