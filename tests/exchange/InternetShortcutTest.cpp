#include "exchange/InternetShortcut.h"
#include "exchange/HtmlLinks.h"

#include <gtest/gtest.h>

namespace qx::exchange {
namespace {

TEST(InternetShortcut, ContentAndItsAddress) {
    const std::string text = InternetShortcut::content("http://a.example/x?y");
    EXPECT_EQ(text, "[InternetShortcut]\r\nURL=http://a.example/x?y\r\n");
    EXPECT_EQ(InternetShortcut::urlOf(text), "http://a.example/x?y");
    EXPECT_EQ(InternetShortcut::urlOf("[InternetShortcut]\nIconIndex=0\n"), "");
}

TEST(InternetShortcut, FileNameIsSafeForAnyTitle) {
    EXPECT_EQ(InternetShortcut::fileName(""), ".url");
    EXPECT_EQ(InternetShortcut::fileName("a/b"), "a_b.url");
    EXPECT_EQ(InternetShortcut::fileName(std::string("a\0b", 3)), "a_b.url");

    // 250 ASCII bytes, then a two-byte letter that would cross the limit.
    const std::string title = std::string(250, 'x') + "\xD0\xAF" + "tail";
    const std::string name = InternetShortcut::fileName(title);
    EXPECT_EQ(name, std::string(250, 'x') + ".url");
    EXPECT_LE(InternetShortcut::fileName(std::string(1000, 'y')).size(), 255u);
    const std::string fits = std::string(249, 'x') + "\xD0\xAF";
    EXPECT_EQ(InternetShortcut::fileName(fits), fits + ".url");
}

TEST(DroppedLinks, UriListAndMozUrl) {
    const auto list = parseUriList("# comment\r\nhttp://a/\r\n\r\nfile:///tmp/x.url\n");
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[1].url, "file:///tmp/x.url");

    const auto moz = parseMozUrl("http://a/\nTitle A\nhttp://b/");
    ASSERT_EQ(moz.size(), 2u);
    EXPECT_EQ(moz[0].title, "Title A");
    EXPECT_EQ(moz[1].url, "http://b/");
    EXPECT_EQ(moz[1].title, "");
    EXPECT_TRUE(parseMozUrl(std::string("\0\0\n\n", 4)).empty());
    // A lone carriage return ends a line too: no address keeps a line break.
    const auto bare = parseUriList("http://a/\rhttp://b/");
    ASSERT_EQ(bare.size(), 2u);
    EXPECT_EQ(bare[0].url, "http://a/");
}

TEST(DroppedLinks, TextOfOnlyWebAddresses) {
    const auto two = parseAddressText("  https://a.example/x \r\n\r\nHTTP://b.example/\n");
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[0].url, "https://a.example/x");
    EXPECT_EQ(two[1].url, "HTTP://b.example/");
    // Anything else in the text, or another scheme, and it is not a link list.
    EXPECT_TRUE(parseAddressText("http://a.example/ and more").empty());
    EXPECT_TRUE(parseAddressText("http://a.example/\nhello").empty());
    EXPECT_TRUE(parseAddressText("ftp://a.example/").empty());
    EXPECT_TRUE(parseAddressText("http://").empty());
    EXPECT_TRUE(parseAddressText("").empty());
}

TEST(DroppedLinks, TitlesFromAnchorsAndOtherFormats) {
    // What a browser puts beside a dragged link: the anchor with its text.
    const auto anchors = parseHtmlLinks(
        "<meta charset=utf-8><a href=\" http://a/ \">Cats &amp;\n  <b>dogs</b></a>"
        "<a>no address</a><A HREF='http://b/'>Новости</A><a href=\"http://c/\">unclosed");
    ASSERT_EQ(anchors.size(), 3u);
    EXPECT_EQ(anchors[0].url, "http://a/");
    EXPECT_EQ(anchors[0].title, "Cats & dogs");
    EXPECT_EQ(anchors[1].title, "Новости");
    EXPECT_EQ(anchors[2].title, "unclosed");
    EXPECT_TRUE(parseHtmlLinks("").empty());
    EXPECT_TRUE(parseHtmlLinks(std::string("\0<a href=x", 10)).size() <= 1);

    // Only links still without a title take one, from the same address.
    std::vector<DroppedLink> links = parseUriList("http://a/\r\nhttp://b/\r\nhttp://z/\r\n");
    links[1].title = "kept";
    addTitles(links, anchors);
    EXPECT_EQ(links[0].title, "Cats & dogs");
    EXPECT_EQ(links[1].title, "kept");
    EXPECT_EQ(links[2].title, "");
}

} // namespace
} // namespace qx::exchange
