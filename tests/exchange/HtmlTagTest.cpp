#include "exchange/HtmlTag.h"
#include "exchange/HtmlEscape.h"
#include "exchange/HtmlNames.h"
#include "stream/mwstream.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace qx {
namespace {

using H = HtmlNames;

std::string bytesof(const mwstream& s) {
    return std::string(s.buffer().data(), static_cast<std::size_t>(s.buffer().size()));
}

TEST(HtmlNames, TablesAreSortedAndIdsArePositions) {
    for (int id = 2; id <= H::kTagCount; ++id)
        EXPECT_LT(std::strcmp(H::tagname(id - 1), H::tagname(id)), 0) << id;
    for (int id = 2; id <= H::kAttrCount; ++id)
        EXPECT_LT(std::strcmp(H::attrname(id - 1), H::attrname(id)), 0) << id;
    EXPECT_STREQ(H::tagname(1), "a");
    EXPECT_STREQ(H::tagname(102), "xmp");
    EXPECT_STREQ(H::attrname(1), "abbr");
    EXPECT_STREQ(H::attrname(149), "wrap");
}

TEST(HtmlNames, IdsOutsideTheTablesAreEmpty) {
    for (int id : {0, -1, 103}) {
        EXPECT_STREQ(H::tagname(id), "");
        EXPECT_EQ(H::tagflags(id), 0);
        EXPECT_EQ(H::tagkind(id), 0);
    }
    EXPECT_STREQ(H::attrname(0), "");
    EXPECT_STREQ(H::attrname(150), "");
}

TEST(HtmlNames, EmptyElementsAreExactlyTheThirteen) {
    std::string empty;
    for (int id = 1; id <= H::kTagCount; ++id) {
        if (H::isempty(id))
            empty += std::string(H::tagname(id)) + " ";
    }
    EXPECT_EQ(empty, "area base basefont col frame hr image img input isindex link meta param ");
}

TEST(HtmlTag, NumbersAndTheirSigns) {
    mwstream out;
    { HtmlTag minus(out, H::Font, {{H::Size, -1, true}}); }
    { HtmlTag zero(out, H::Font, {{H::Size, 0, true}}); }
    { HtmlTag plain(out, H::Img, {{H::Border, 0, false}}); }
    EXPECT_EQ(bytesof(out), "<FONT SIZE=-1></FONT><FONT SIZE=+0></FONT><IMG BORDER=0>");
}

TEST(HtmlTag, TextValuesQuotedOnlyWhenTheyMustBe) {
    mwstream out;
    { HtmlTag a(out, H::A, {{H::Href, "x.htm"}, {H::Target, "_new"}}); }
    {
        HtmlTag meta(
            out, H::Meta,
            {{H::HttpEquiv, "Content-Type"}, {H::Content, "text/html; charset=windows-1251"}});
    }
    for (const char* value : {"", "a=b", "it's", "<", ">"}) {
        HtmlTag a(out, H::A, {{H::Href, value}});
    }
    { HtmlTag a(out, H::A, {{H::Href, nullptr}}); }
    EXPECT_EQ(bytesof(out), "<A HREF=x.htm TARGET=_new></A>"
                            "<META HTTP-EQUIV=Content-Type "
                            "CONTENT=\"text/html; charset=windows-1251\">"
                            "<A HREF=\"\"></A><A HREF=\"a=b\"></A><A HREF=\"it's\"></A>"
                            "<A HREF=\"<\"></A><A HREF=\">\"></A><A HREF=\"\"></A>");
}

TEST(HtmlTag, BlockTagsBreakLinesAndEmptyOnesHaveNoEndTag) {
    mwstream out;
    { HtmlTag p(out, H::P); }
    { HtmlTag br(out, H::Br); }
    {
        HtmlTag dl(out, H::Dl);
        HtmlTag b(out, 7);
        HtmlTag em(out, 32);
        HtmlTag img(out, H::Img, {{H::Src, "x.gif"}});
    }
    EXPECT_EQ(bytesof(out),
              "<P>\r\n</P>\r\n<BR>\r\n</BR>\r\n<DL>\r\n<B><EM><IMG SRC=x.gif></EM></B></DL>\r\n");
}

TEST(HtmlTag, ClosesAtMostOnce) {
    mwstream out;
    {
        HtmlTag a(out, H::A);
        a.close();
        a.close();
    }
    EXPECT_EQ(bytesof(out), "<A></A>");
}

TEST(HtmlEscape, EveryCharacterThatCouldLeaveTextOrValue) {
    EXPECT_EQ(HtmlEscape::escape("<script>alert('x')</script> & \"q\""),
              "&lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt; &amp; &quot;q&quot;");
    // Tab and line ends would end a bare attribute value.
    EXPECT_EQ(HtmlEscape::escape("a\tb\nc\rd\fe"), "a&#9;b&#10;c&#13;d&#12;e");
    EXPECT_EQ(HtmlEscape::escape("plain text"), "plain text");
}

TEST(HtmlEscape, ScriptAddressesAreNoLinks) {
    EXPECT_TRUE(HtmlEscape::safelink("https://example.org/a:b"));
    EXPECT_TRUE(HtmlEscape::safelink("mailto:x@example.org"));
    EXPECT_FALSE(HtmlEscape::safelink("javascript:alert(1)"));
    EXPECT_FALSE(HtmlEscape::safelink(" JavaScript:alert(1)"));
    EXPECT_FALSE(HtmlEscape::safelink("java\tscript:alert(1)"));
    EXPECT_FALSE(HtmlEscape::safelink("data:text/html,<b>"));
    EXPECT_FALSE(HtmlEscape::safelink("VBScript:x"));
}

} // namespace
} // namespace qx
