#include "exchange/LinkBytes.h"
#include "ExchangeTestSupport.h"
#include "exchange/ExchangeFormats.h"
#include "exchange/UriText.h"

#include <gtest/gtest.h>

namespace qx::exchange {
namespace {

TEST(UriText, NonAsciiAddressesBecomeUris) {
    // Cyrillic path and query bytes are escaped, the host goes to punycode.
    EXPECT_EQ(UriText::encoded("http://пример.рф/Новости?q=кот#верх"),
              "http://xn--e1afmkfd.xn--p1ai/%D0%9D%D0%BE%D0%B2%D0%BE%D1%81%D1%82%D0%B8"
              "?q=%D0%BA%D0%BE%D1%82#%D0%B2%D0%B5%D1%80%D1%85");
    // RFC 3492's sample of mixed text, and a label with letters before the delimiter.
    std::string coded;
    ASSERT_TRUE(UriText::punycode("bücher", coded));
    EXPECT_EQ(coded, "bcher-kva");
    ASSERT_TRUE(UriText::punycode("münchen", coded));
    EXPECT_EQ(coded, "mnchen-3ya");
    EXPECT_FALSE(UriText::punycode("\xC3", coded));

    // What is already a URI passes unchanged, escapes included; a stray
    // percent sign, spaces and quotes are escaped; user, port and IPv6 stay.
    EXPECT_EQ(UriText::encoded("https://u:p@a.example:8080/x%20y?a=b&c=d"),
              "https://u:p@a.example:8080/x%20y?a=b&c=d");
    EXPECT_EQ(UriText::encoded("http://a.example/50% off \"now\""),
              "http://a.example/50%25%20off%20%22now%22");
    EXPECT_EQ(UriText::encoded("http://[::1]:81/ü"), "http://[::1]:81/%C3%BC");
    EXPECT_EQ(UriText::encoded("http://bücher.example:81/"), "http://xn--bcher-kva.example:81/");
    // A host that is not UTF-8 is escaped byte by byte, not dropped.
    EXPECT_EQ(UriText::encoded("http://a\xFF.example/"), "http://a%FF.example/");
    EXPECT_EQ(UriText::encoded("mailto:кот@a.example"), "mailto:%D0%BA%D0%BE%D1%82@a.example");
}

TEST(UriText, Utf16KeepsEveryCharacter) {
    EXPECT_EQ(UriText::utf16le("Aд"), std::string("A\0\x34\x04", 4));
    // A character beyond the basic plane takes a surrogate pair; a broken
    // byte stands as U+FFFD and costs only itself.
    EXPECT_EQ(UriText::utf16le("\xF0\x9F\x98\x80"), std::string("\x3D\xD8\x00\xDE", 4));
    EXPECT_EQ(UriText::utf16le("\xD0x"), std::string("\xFD\xFFx\0", 4));
}

TEST(LinkBytes, EveryFormatCarriesEverySelectedReference) {
    test::ExchangeDoc made;
    Ref& folder = made.folder("Folder");
    made.reference("Новости", "http://пример.рф/новости", &folder);
    Ref& inner = made.folder("Inner", &folder);
    made.reference("B & C", "http://b.example/", &inner);
    made.reference("Last", "http://c.example/");
    const auto nodes = made.toplevel();
    const LinkBytes links = LinkBytes::of(nodes);
    ASSERT_EQ(links.links().size(), 3u);

    EXPECT_EQ(links.bytes(kUriList), "http://xn--e1afmkfd.xn--p1ai/"
                                     "%D0%BD%D0%BE%D0%B2%D0%BE%D1%81%D1%82%D0%B8\r\n"
                                     "http://b.example/\r\nhttp://c.example/\r\n");
    // Text targets carry the addresses, folders expanded depth first.
    const std::string text = "http://пример.рф/новости\nhttp://b.example/\nhttp://c.example/\n";
    EXPECT_EQ(links.bytes(kText), text);
    EXPECT_EQ(links.bytes(kPlainText), text);
    EXPECT_EQ(links.bytes(kMozUrl),
              UriText::utf16le("http://пример.рф/новости\nНовости\nhttp://b.example/\nB & C\n"
                               "http://c.example/\nLast"));
    EXPECT_EQ(links.bytes(kNetscapeUrl).substr(0, 30), "http://xn--e1afmkfd.xn--p1ai/%");
    EXPECT_NE(links.bytes(kHtml).find("<a href=\"http://b.example/\">B &amp; C</a>"),
              std::string::npos);

    // Every offered format has bytes; nothing else has.
    for (std::string_view format : links.formats())
        EXPECT_FALSE(links.bytes(format).empty()) << format;
    EXPECT_TRUE(links.bytes(kShortcut).empty());

    // A folder without references offers nothing to other programs.
    Ref& empty = made.folder("Empty");
    const std::vector<const Ref*> only{&empty};
    EXPECT_TRUE(LinkBytes::of(only).formats().empty());
}

} // namespace
} // namespace qx::exchange
