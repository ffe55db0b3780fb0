#include "ExchangeTestSupport.h"
#include "PlacesFixture.h"
#include "exchange/BookmarkPlacement.h"
#include "exchange/BookmarkTree.h"
#include "exchange/OrganizerPath.h"
#include "exchange/XbelExport.h"
#include "exchange/XbelFormat.h"
#include "exchange/XbelImport.h"
#include "model/UrlRef.h"
#include "stream/mwstream.h"

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/valid.h>

#include <cstdarg>
#include <cstdio>
#include <memory>
#include <string>

namespace qx {
namespace {

using test::ExchangeDoc;

std::string exported(ExchangeDoc& d) {
    mwstream out;
    XbelExport xbel;
    xbel.write(out, d.toplevel());
    return std::string(out.buffer().data(), static_cast<std::size_t>(out.buffer().size()));
}

void collect(void* into, const char* format, ...) {
    char line[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    *static_cast<std::string*>(into) += line;
}

// Validates a document against the XBEL 1.0 DTD of the tests' data, offline:
// the document's own system identifier is never fetched. Empty when valid,
// else libxml2's complaints.
std::string invalidity(const std::string& text) {
    std::string errors;
    std::unique_ptr<xmlDoc, void (*)(xmlDocPtr)> doc(
        xmlReadMemory(text.data(), static_cast<int>(text.size()), nullptr, nullptr,
                      XML_PARSE_NONET),
        xmlFreeDoc);
    if (!doc)
        return "not well-formed";
    const std::string dtdpath =
        std::string(std::getenv("QX_TEST_DATA") ? std::getenv("QX_TEST_DATA") : QX_TEST_DATA_DIR) +
        "/xbel-1.0.dtd";
    std::unique_ptr<xmlDtd, void (*)(xmlDtdPtr)> dtd(
        xmlParseDTD(nullptr, reinterpret_cast<const xmlChar*>(dtdpath.c_str())), xmlFreeDtd);
    if (!dtd)
        return "no DTD at " + dtdpath;
    std::unique_ptr<xmlValidCtxt, void (*)(xmlValidCtxtPtr)> valid(xmlNewValidCtxt(),
                                                                   xmlFreeValidCtxt);
    valid->userData = &errors;
    valid->error = collect;
    valid->warning = collect;
    if (!xmlValidateDtd(valid.get(), doc.get(), dtd.get()) && errors.empty())
        errors = "invalid";
    return errors;
}

int importxbel(const std::string& text, DDoc& doc, BookmarkTree& tree) {
    const int result = XbelImport::read(text, tree);
    if (result == XbelImport::Ok)
        BookmarkPlacement(doc).addall(tree, doc.orgroot());
    return result;
}

TEST(Xbel, TheExportIsValidAndComesBackThroughTheImportAsItWent) {
    ExchangeDoc d;
    Ref& news = d.folder("News & <more> \"quoted\"");
    Ref& page =
        d.reference("<script>alert(1)</script>", "https://example.org/a?x=\"1\"&y=2", &news);
    ObjectProp props = page.target()->props();
    props.comment = Str("Said & done");
    props.modified = {2024, 5, 0, 6, 7, 8, 9, 0};
    d.doc.setobjectprops(*page.target(), props);
    Ref& inner = d.folder("Inner", &news);
    d.reference("Ünïcode", "https://example.org/u", &inner);
    d.folder("Empty", &news);
    d.reference("Bell\x07 and form\x0C feed", "https://example.org/c");
    d.reference("\xCF\xF0\xE8\xE2\xE5\xF2", "https://example.org/ru", nullptr, 1);
    Ref& parent = d.reference("Parent", "https://example.org/p");
    d.reference("Child", "https://example.org/p/c", &parent);
    d.reference("Hidden", "https://example.org/h").addflags(Ref::Hidden);
    const std::string first = exported(d);
    EXPECT_EQ(invalidity(first), "") << first;
    EXPECT_NE(first.find("<!DOCTYPE xbel PUBLIC \"+//IDN python.org//DTD XML Bookmark Exchange "
                         "Language 1.0//EN//XML\""),
              std::string::npos);
    EXPECT_NE(first.find("<bookmark href=\"https://example.org/a?x=&quot;1&quot;&amp;y=2\" "
                         "added=\"2024-05-06T07:08:09Z\">"),
              std::string::npos)
        << first;
    EXPECT_NE(first.find("<desc>Said &amp; done</desc>"), std::string::npos);
    EXPECT_NE(first.find("<title>Привет</title>"), std::string::npos);
    EXPECT_NE(first.find("<title>Bell and form feed</title>"), std::string::npos);
    EXPECT_EQ(first.find("Hidden"), std::string::npos);

    ExchangeDoc again;
    BookmarkTree tree;
    ASSERT_EQ(importxbel(first, again.doc, tree), XbelImport::Ok);
    EXPECT_EQ(exported(again), first);
    const Ref* news2 = OrganizerPath::find(again.doc, "News & <more> \"quoted\"");
    ASSERT_NE(news2, nullptr);
    const auto* back = static_cast<const Ref*>(news2->firstchild());
    EXPECT_EQ(back->target()->props().url.view(), "https://example.org/a?x=\"1\"&y=2");
    EXPECT_EQ(back->target()->props().comment.view(), "Said & done");
    EXPECT_EQ(back->target()->props().modified.second, 9);
}

TEST(Xbel, WhatOtherProgramsWriteIsReadAndTheRestLeftOut) {
    const std::string text = R"XB(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE xbel PUBLIC "+//IDN python.org//DTD XML Bookmark Exchange Language 1.0//EN//XML"
  "http://www.python.org/topics/xml/dtds/xbel-1.0.dtd">
<xbel version="1.0" xmlns:bookmark="http://www.freedesktop.org/standards/desktop-bookmarks">
  <title>Ignored</title>
  <info><metadata owner="http://example.org/app"><bookmark:icon name="x"/></metadata></info>
  <folder id="f1" folded="no">
    <title>Reading</title>
    <desc>A folder's description</desc>
    <bookmark href="https://example.org/a" added="2020-01-02T03:04:05+02:00">
      <title>A &amp; B</title>
      <desc>first</desc>
    </bookmark>
    <separator/>
    <alias ref="f1"/>
    <bookmark href="https://example.org/b" modified="2021-07-08"><title><![CDATA[<B>]]></title></bookmark>
    <bookmark href="javascript:alert(1)"><title>Script</title></bookmark>
    <bookmark><title>No address</title></bookmark>
    <folder><title>Deeper</title><bookmark href="ftp://example.net/f"/></folder>
  </folder>
  <bookmark href="https://example.com/" added="1999"/>
</xbel>
)XB";
    ASSERT_TRUE(XbelFormat::looksxbel(text));
    ExchangeDoc d;
    BookmarkTree tree;
    ASSERT_EQ(importxbel(text, d.doc, tree), XbelImport::Ok);
    EXPECT_EQ(tree.folders(), 2u);
    EXPECT_EQ(tree.bookmarks(), 4u);
    EXPECT_EQ(tree.skipped(), 2u);
    const Ref* a = OrganizerPath::find(d.doc, "Reading/A & B");
    ASSERT_NE(a, nullptr);
    const platform::SystemTime& added = a->target()->props().modified;
    EXPECT_EQ(added.year, 2020);
    EXPECT_EQ(added.day, 2);
    EXPECT_EQ(added.hour, 1);
    EXPECT_EQ(a->target()->props().comment.view(), "first");
    const Ref* b = OrganizerPath::find(d.doc, "Reading/<B>");
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->target()->props().modified.month, 7);
    ASSERT_NE(OrganizerPath::find(d.doc, "Reading/Deeper"), nullptr);
    EXPECT_EQ(d.doc.finddomainnode("ftp://example.net/f")->target()->props().title.view(), "");
    EXPECT_EQ(OrganizerPath::find(d.doc, "Ignored"), nullptr);
}

TEST(Xbel, BadDocumentsFailWholeAndEntitiesAreNeverExpanded) {
    const std::string good = "<xbel><folder><title>t</title><bookmark href=\"https://e.org/\"/>"
                             "</folder></xbel>";
    BookmarkTree tree;
    EXPECT_EQ(XbelImport::read(good, tree), XbelImport::Ok);
    for (std::size_t cut : {good.size() - 1, good.size() / 2, std::size_t(3)})
        EXPECT_EQ(XbelImport::read(good.substr(0, cut), tree), XbelImport::NotXml) << cut;
    EXPECT_EQ(XbelImport::read("", tree), XbelImport::NotXml);
    EXPECT_EQ(XbelImport::read("<html><a href='https://e.org/'/></html>", tree),
              XbelImport::NotXbel);
    std::string deep = "<xbel>";
    for (int i = 0; i < 20000; ++i)
        deep += "<folder>";
    EXPECT_EQ(XbelImport::read(deep, tree), XbelImport::NotXml);

    const std::string laughs = R"(<?xml version="1.0"?>
<!DOCTYPE xbel [
  <!ENTITY a "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa">
  <!ENTITY b "&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;">
  <!ENTITY c "&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;">
  <!ENTITY d "&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;">
  <!ENTITY secret SYSTEM "file:///etc/hostname">
]>
<xbel><bookmark href="https://e.org/"><title>&d;&d;&d;&d;&secret;</title></bookmark></xbel>)";
    BookmarkTree entities;
    XbelImport::read(laughs, entities);
    for (const BookmarkTree::Item& item : entities.items())
        EXPECT_LT(item.title.size(), 100u);
}

TEST(Xbel, DatesAndTellingTheTwoBookmarkFormatsApart) {
    auto roundtrip = [](const char* text) {
        return XbelFormat::formatdate(XbelFormat::parsedate(text));
    };
    EXPECT_EQ(roundtrip("2024-05-06T07:08:09Z"), "2024-05-06T07:08:09Z");
    EXPECT_EQ(roundtrip("2024-05-06T07:08:09.123-01:30"), "2024-05-06T08:38:09Z");
    EXPECT_EQ(roundtrip("2024-05-06T07:08Z"), "2024-05-06T07:08:00Z");
    EXPECT_EQ(roundtrip("2024"), "2024-01-01T00:00:00Z");
    for (const char* bad :
         {"", "20240506", "2024-13-01", "2024-05-06T25:00Z", "2024-05-06T07", "2024-05-06 07:08Z",
          "1600-01-01", "2024-05-06T07:08:09+24:00", "1601-01-01T00:00:00+01:00", "99999"})
        EXPECT_EQ(XbelFormat::parsedate(bad), 0u) << bad;
    EXPECT_EQ(XbelFormat::formatdate(0), "");

    EXPECT_TRUE(
        XbelFormat::looksxbel("\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<xbel version=\"1.0\">"));
    EXPECT_FALSE(XbelFormat::looksxbel("<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><p>\n"
                                       "<DT><A HREF=\"https://e.org/?q=<xbel\">x</A>"));
    EXPECT_FALSE(XbelFormat::looksxbel(""));
}

} // namespace
} // namespace qx
