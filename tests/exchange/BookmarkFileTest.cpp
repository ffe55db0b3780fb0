#include "ExchangeTestSupport.h"
#include "TempDir.h"
#include "exchange/BookmarkExport.h"
#include "exchange/BookmarkImport.h"
#include "exchange/OrganizerPath.h"
#include "model/Container.h"
#include "model/UrlRef.h"
#include "stream/mwstream.h"

#include <gtest/gtest.h>

#include <string>

namespace qx {
namespace {

using test::ExchangeDoc;

std::string exported(const std::vector<const Ref*>& nodes) {
    mwstream out;
    BookmarkExport bookmarks;
    bookmarks.write(out, nodes);
    return std::string(out.buffer().data(), static_cast<std::size_t>(out.buffer().size()));
}

std::string exported(ExchangeDoc& d) {
    return exported(d.toplevel());
}

// What a browser writes: folders with dates, a description, a bookmarklet and
// the lists left open the way browsers leave them.
const char kBrowserFile[] = R"BM(<!DOCTYPE NETSCAPE-Bookmark-file-1>
<META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=UTF-8">
<TITLE>Bookmarks</TITLE>
<H1>Bookmarks Menu</H1>
<DL><p>
    <DT><H3 ADD_DATE="1600000000" LAST_MODIFIED="1600000001">Работа &amp; дом</H3>
    <DL><p>
        <DT><A HREF="https://example.org/one" ADD_DATE="784111777" ICON="data:x">One &lt;1&gt;</A>
        <DD>First &amp; best
        <DT><A HREF="javascript:void(0)">Bookmarklet</A>
        <DT><H3>Empty</H3>
        <DL><p>
        </DL><p>
        <DT><H3>Inner</H3>
        <DL><p>
            <DT><A HREF="https://example.org/two" LAST_MODIFIED="1700000000000000">Two</A>
        </DL><p>
    </DL><p>
    <DT><A HREF="https://example.com/">Top</A>
</DL><p>
)BM";

TEST(BookmarkImport, BrowserFileBecomesFoldersAndFiledReferences) {
    ExchangeDoc d;
    BookmarkImport import(d.doc);
    ASSERT_EQ(import.read(kBrowserFile, d.doc.orgroot()), BookmarkImport::Ok);
    EXPECT_EQ(import.folders(), 3u);
    EXPECT_EQ(import.bookmarks(), 3u);
    EXPECT_EQ(import.skipped(), 1u);

    Ref* work = OrganizerPath::find(d.doc, "Работа & дом");
    ASSERT_NE(work, nullptr);
    EXPECT_EQ(work->target(), nullptr);
    Ref* one = OrganizerPath::find(d.doc, "Работа & дом/One <1>");
    ASSERT_NE(one, nullptr);
    const ObjectProp& props = one->target()->props();
    EXPECT_EQ(props.url.view(), "https://example.org/one");
    EXPECT_EQ(props.comment.view(), "First & best");
    EXPECT_EQ(props.modified.year, 1994);
    EXPECT_EQ(props.modified.month, 11);
    EXPECT_TRUE(one->target()->hasflags(Object::Confirmed));
    // The page is the one the domain tree files the address under.
    EXPECT_EQ(d.doc.finddomainnode("https://example.org/one")->target(), one->target());

    ASSERT_NE(OrganizerPath::find(d.doc, "Работа & дом/Empty"), nullptr);
    Ref* two = OrganizerPath::find(d.doc, "Работа & дом/Inner/Two");
    ASSERT_NE(two, nullptr);
    // Microseconds, as some browsers write them.
    EXPECT_EQ(two->target()->props().modified.year, 2023);
    ASSERT_NE(OrganizerPath::find(d.doc, "Top"), nullptr);
    EXPECT_EQ(OrganizerPath::find(d.doc, "Bookmarklet"), nullptr);
}

TEST(BookmarkFile, ExportThenImportGivesTheSameFoldersTitlesAndAddresses) {
    ExchangeDoc d;
    Ref& news = d.folder("News & <more>");
    d.reference("<script>alert(1)</script>", "https://example.org/a?x=\"1\"&y=2", &news);
    Ref& inner = d.folder("Inner", &news);
    d.reference("Ünïcode", "https://example.org/u", &inner);
    d.folder("Empty", &news);
    d.reference("", "https://example.net/untitled");
    d.reference("\xCF\xF0\xE8\xE2\xE5\xF2", "https://example.org/ru", nullptr, 1);
    const std::string first = exported(d);
    EXPECT_NE(first.find("<DT><A HREF=\"https://example.org/a?x=&quot;1&quot;&amp;y=2\">"
                         "&lt;script&gt;alert(1)&lt;/script&gt;</A>"),
              std::string::npos)
        << first;
    EXPECT_NE(first.find("<DT><H3>News &amp; &lt;more&gt;</H3>"), std::string::npos);
    EXPECT_NE(first.find(">Привет</A>"), std::string::npos);

    ExchangeDoc again;
    BookmarkImport import(again.doc);
    ASSERT_EQ(import.read(first, again.doc.orgroot()), BookmarkImport::Ok);
    EXPECT_EQ(exported(again), first);
}

TEST(BookmarkExport, PageWithChildrenGetsAFolderBesideItsBookmark) {
    ExchangeDoc d;
    Ref& page = d.reference("Page", "https://example.org/p");
    d.reference("Child", "https://example.org/c", &page);
    d.reference("Hidden", "https://example.org/h").addflags(Ref::Hidden);
    const std::string text = exported(d);
    EXPECT_NE(text.find("    <DT><A HREF=\"https://example.org/p\">Page</A>\n"
                        "    <DT><H3>Page</H3>\n"
                        "    <DL><p>\n"
                        "        <DT><A HREF=\"https://example.org/c\">Child</A>\n"
                        "    </DL><p>\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("Hidden"), std::string::npos);
}

TEST(BookmarkImport, AnyBytesAndDeepNestingAreSurvived) {
    ExchangeDoc d;
    BookmarkImport import(d.doc);
    EXPECT_EQ(import.read("", d.doc.orgroot()), BookmarkImport::NotHtml);
    // Lists as deep as real files nest them are read; far deeper ones cost
    // the parser's depth limit, never the stack.
    auto nested = [](int depth) {
        std::string text;
        for (int i = 0; i < depth; ++i)
            text += "<DT><H3>f</H3><DL><p>";
        return text + "<DT><A HREF=\"https://example.org/deep\">Deep</A>";
    };
    EXPECT_EQ(import.read(nested(100), d.doc.orgroot()), BookmarkImport::Ok);
    EXPECT_EQ(import.bookmarks(), 1u);
    EXPECT_NE(OrganizerPath::find(d.doc, "f/f/f/f/f/f/f/f/f/f/f/f/f/f/f/f/f/f/f/f/f/f/f/f/f/f/f/f/"
                                         "f/f/f/f/f/f/f/f/f/f/f/f/f/f/f/f/f/f/f/f/f/f/f/f/f/f/f/f/"
                                         "f/f/f/f/f/f/f/f/f/f/f/f/f/f/f/f/f/f/f/f/f/f/f/f/f/f/f/f/"
                                         "f/f/f/f/f/f/f/f/f/f/f/f/f/f/f/f/Deep"),
              nullptr);
    import.read(nested(20000), d.doc.orgroot());
    for (const std::string& junk :
         {std::string("\0\xFF<DL><A HREF=\x01>\xC0</A></DL>", 24), std::string("<A HREF>"),
          std::string("<DD><DD><DL></DT></H3>"), std::string(10000, '<')})
        import.read(junk, d.doc.orgroot());
}

TEST(OrganizerPath, NamesFromTheRootAsTheToolWritesThem) {
    ExchangeDoc d;
    Ref& a = d.folder("a");
    Ref& b = d.folder("b", &a);
    Ref& page = d.reference("Page", "https://example.org/", &b);
    EXPECT_EQ(OrganizerPath::find(d.doc, "a/b"), &b);
    EXPECT_EQ(OrganizerPath::find(d.doc, "/a//b/"), &b);
    EXPECT_EQ(OrganizerPath::find(d.doc, "a/b/Page"), &page);
    EXPECT_EQ(OrganizerPath::find(d.doc, ""), &d.doc.orgroot());
    EXPECT_EQ(OrganizerPath::find(d.doc, "a/c"), nullptr);
    EXPECT_EQ(OrganizerPath::find(d.doc, "b"), nullptr);
}

TEST(OrganizerPath, FindsADatedReferenceByItsTitleAlone) {
    ExchangeDoc d;
    Object* page = PageFiling::filepage(d.doc, "https://example.org/same");
    ASSERT_NE(page, nullptr);
    ObjectProp props = page->props();
    props.title = Str("same");
    props.modified = platform::SystemTime{2020, 1, 3, 1, 12, 0, 0, 0};
    d.doc.setobjectprops(*page, props);
    Ref& node = d.doc.createresult(page, nullptr, d.doc.orgroot(), nullptr, false);
    // The node keeps the label it was made with, date and all.
    ASSERT_NE(node.name().view(), "same");
    EXPECT_EQ(OrganizerPath::find(d.doc, std::string(node.name().view())), &node);
    EXPECT_EQ(OrganizerPath::find(d.doc, "same"), &node);
}

} // namespace
} // namespace qx
