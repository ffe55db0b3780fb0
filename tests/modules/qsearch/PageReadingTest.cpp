// Reading engine pages and making requests, piece by piece: titles, links,
// dates, the query in each mode and charset, and extraction by the rules of
// each kind.
#include "DateParser.h"
#include "Extractor.h"
#include "LinkResolver.h"
#include "RequestBuilder.h"
#include "TextCleaner.h"

#include <gtest/gtest.h>

namespace qsearch {
namespace {

TEST(TextCleaner, ResolvesEntitiesStripsTagsAndFoldsBlanks) {
    EXPECT_EQ(TextCleaner::clean("Fish &amp; <b>Chips</b>\n\t&#8212;  &eacute;t&eacute;"),
              "Fish & Chips \xE2\x80\x94 \xC3\xA9t\xC3\xA9");
    // A feed escapes the markup once more.
    EXPECT_EQ(TextCleaner::clean("&lt;b&gt;Bold&lt;/b&gt; &amp;amp; plain"), "Bold & plain");
    EXPECT_EQ(TextCleaner::clean("  plain words  "), "plain words");
    // Entities without tags, numeric ones too; what names no entity stays.
    EXPECT_EQ(TextCleaner::clean("AT&T &#x41;&#66; &nosuch; &#xD800; &copy;"),
              "AT&T AB &nosuch; &#xD800; \xC2\xA9");
    EXPECT_EQ(TextCleaner::clean("<script>x</script"), "x");
    EXPECT_EQ(TextCleaner::clean(""), "");
}

TEST(LinkResolver, ResolvesRelativeLinksAndUnwrapsRedirectors) {
    const LinkResolver plain("");
    const std::string page = "http://engine.example/search/web?q=a";
    EXPECT_EQ(plain.resolve(page, "/page.html"), "http://engine.example/page.html");
    EXPECT_EQ(plain.resolve(page, "other?x=1"), "http://engine.example/search/other?x=1");
    EXPECT_EQ(plain.resolve(page, "//cdn.example/a"), "http://cdn.example/a");
    EXPECT_EQ(plain.resolve(page, " https://site.example/ "), "https://site.example/");
    EXPECT_EQ(plain.resolve(page, "javascript:void(0)"), "");
    EXPECT_EQ(plain.resolve(page, "mailto:a@b.example"), "");
    EXPECT_EQ(plain.resolve(page, ""), "");

    const LinkResolver redirector("u");
    EXPECT_EQ(redirector.resolve(page, "/l/?k=1&u=https%3A%2F%2Fsite.example%2Fa%3Fb%3Dc&t=2"),
              "https://site.example/a?b=c");
    // In a path piece, as some engines write it.
    EXPECT_EQ(redirector.resolve(page, "http://r.example/_x=1/u=http%3a%2f%2fsite.example%2f/K=2"),
              "http://site.example/");
    // A link without the parameter, or with a target that is not a web address, stays.
    EXPECT_EQ(redirector.resolve(page, "/direct"), "http://engine.example/direct");
    EXPECT_EQ(redirector.resolve(page, "/l/?u=javascript%3Aalert(1)"),
              "http://engine.example/l/?u=javascript%3Aalert(1)");
}

TEST(DateParser, ReadsIsoAndRfc822InUtc) {
    WSearchDate date{};
    ASSERT_TRUE(DateParser::parse("2024-03-05T10:20:30.25+02:00", date));
    EXPECT_EQ(date.year, 2024);
    EXPECT_EQ(date.month, 3);
    EXPECT_EQ(date.day, 5);
    EXPECT_EQ(date.hour, 8);
    EXPECT_EQ(date.minute, 20);
    EXPECT_EQ(date.second, 30);
    EXPECT_EQ(date.milliseconds, 250);
    EXPECT_EQ(date.dayOfWeek, 2); // a Tuesday

    ASSERT_TRUE(DateParser::parse("Sun, 31 Dec 2023 23:30:00 -0100", date));
    EXPECT_EQ(date.year, 2024);
    EXPECT_EQ(date.month, 1);
    EXPECT_EQ(date.day, 1);
    EXPECT_EQ(date.hour, 0);
    EXPECT_EQ(date.minute, 30);

    ASSERT_TRUE(DateParser::parse("2023-07-01", date));
    EXPECT_EQ(date.hour, 0);
    EXPECT_EQ(date.day, 1);

    WSearchDate untouched{};
    untouched.year = 7;
    EXPECT_FALSE(DateParser::parse("yesterday-ish", untouched));
    EXPECT_FALSE(DateParser::parse("2023-13-01", untouched));
    EXPECT_FALSE(DateParser::parse("", untouched));
    EXPECT_EQ(untouched.year, 7);
}

Definition definitionWith(const std::string& url) {
    Definition def;
    def.url = url;
    def.modes[1].word = "+{w}";
    return def;
}

TEST(RequestBuilder, WritesEachModeWithExclusionsAndPages) {
    Definition def = definitionWith("http://e.example/?q={query}&n={max}&p={page}&o={offset}");
    def.pageSize = 10;
    def.firstPage = 1;
    def.firstOffset = 0;
    EXPECT_EQ(RequestBuilder(def, "red  fox", 0, "", 25).address(0),
              "http://e.example/?q=red+fox&n=10&p=1&o=0");
    EXPECT_EQ(RequestBuilder(def, "red fox", 1, "dog cat", 25).address(2),
              "http://e.example/?q=%2Bred+%2Bfox+-dog+-cat&n=10&p=3&o=20");
    EXPECT_EQ(RequestBuilder(def, "red fox", 2, "", 5).address(0),
              "http://e.example/?q=red+OR+fox&n=5&p=1&o=0");
    EXPECT_EQ(RequestBuilder(def, "red fox", 3, "dog", 5).query(), "\"red fox\" -dog");

    Definition own = definitionWith("http://e.example/?q={query}&not={exclude}");
    own.exclude = {"{w}", ",", "{q}"};
    own.space = "%20";
    const RequestBuilder builder(own, "a b", 0, "c d", 10);
    EXPECT_EQ(builder.address(0), "http://e.example/?q=a%20b&not=c%2Cd");
    EXPECT_FALSE(builder.pages());
}

TEST(RequestBuilder, SendsTheQueryInTheEnginesCharset) {
    Definition def = definitionWith("http://e.example/?q={query}");
    // "поиск" in windows-1251 and in KOI8-R.
    def.encoding = "windows-1251";
    EXPECT_EQ(RequestBuilder(def, "\xD0\xBF\xD0\xBE\xD0\xB8\xD1\x81\xD0\xBA", 0, "", 10).address(0),
              "http://e.example/?q=%EF%EE%E8%F1%EA");
    def.encoding = "KOI8-R";
    EXPECT_EQ(RequestBuilder(def, "\xD0\xBF\xD0\xBE\xD0\xB8\xD1\x81\xD0\xBA", 0, "", 10).address(0),
              "http://e.example/?q=%D0%CF%C9%D3%CB");
}

TEST(Extractor, JsonPathsAndAPageWithoutTheResultArray) {
    Definition def;
    def.fields = {"data.items", "t", "link.0", "when", "bytes", "s", "data.count"};
    const auto extractor = Extractor::create(def);
    PageResults out;
    ASSERT_TRUE(extractor->extract(
        R"({"data":{"count":1234,"items":[{"t":"A","link":["http://a.example/"],"when":"2024-01-02","bytes":512,"s":0.75},{"t":7},"junk"]}})",
        "", 10, out));
    ASSERT_EQ(out.results.size(), 3u);
    EXPECT_EQ(out.results[0].title, "A");
    EXPECT_EQ(out.results[0].url, "http://a.example/");
    EXPECT_EQ(out.results[0].date, "2024-01-02");
    EXPECT_EQ(out.results[0].size, "512");
    EXPECT_EQ(out.results[0].score, "0.75");
    EXPECT_EQ(out.results[1].title, "7");
    EXPECT_EQ(out.results[2].url, "");
    EXPECT_EQ(out.total, "1234");

    EXPECT_FALSE(extractor->extract(R"({"data":{}})", "", 10, out));
    EXPECT_FALSE(extractor->extract("<html>not json</html>", "", 10, out));
    ASSERT_TRUE(extractor->extract(R"({"data":{"items":[{},{},{}]}})", "", 2, out));
    EXPECT_EQ(out.results.size(), 2u);
}

TEST(Extractor, HtmlByXPathInThePagesCharset) {
    Definition def;
    def.kind = ResponseKind::Html;
    def.fields = {"//div[@class='r']",       "string(.//a)", "string(.//a/@href)", "", "", "",
                  "string(//p[@id='total'])"};
    const auto extractor = Extractor::create(def);
    // "Привет" in windows-1251, declared by the answer's header.
    const std::string page =
        "<html><body><p id=total>About 1,234 results</p>"
        "<div class=r><a href='/x'>\xCF\xF0\xE8\xE2\xE5\xF2 &amp; <b>you</b></a></div>"
        "<div class=r><a href='http://y.example/'>Two</a></div></body></html>";
    PageResults out;
    ASSERT_TRUE(extractor->extract(page, "windows-1251", 10, out));
    ASSERT_EQ(out.results.size(), 2u);
    EXPECT_EQ(out.results[0].title, "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 & you");
    EXPECT_EQ(out.results[0].url, "/x");
    EXPECT_EQ(out.total, "About 1,234 results");

    Definition broken = def;
    broken.fields.results = "//div[";
    EXPECT_EQ(Extractor::create(broken), nullptr);
}

TEST(Extractor, FeedsOfBothKindsByTheirOwnRules) {
    Definition def;
    def.kind = ResponseKind::Feed;
    const auto extractor = Extractor::create(def);
    PageResults out;
    ASSERT_TRUE(extractor->extract(
        "<?xml version='1.0'?><rss version='2.0' "
        "xmlns:opensearch='http://a9.com/-/spec/opensearch/1.1/'>"
        "<channel><opensearch:totalResults>77</opensearch:totalResults>"
        "<item><title>&lt;b&gt;One&lt;/b&gt;</title><link>http://one.example/</link>"
        "<pubDate>Tue, 05 Mar 2024 10:20:30 GMT</pubDate></item></channel></rss>",
        "", 10, out));
    ASSERT_EQ(out.results.size(), 1u);
    EXPECT_EQ(out.results[0].title, "<b>One</b>");
    EXPECT_EQ(out.results[0].url, "http://one.example/");
    EXPECT_EQ(out.results[0].date, "Tue, 05 Mar 2024 10:20:30 GMT");
    EXPECT_EQ(out.total, "77");

    ASSERT_TRUE(extractor->extract(
        "<feed xmlns='http://www.w3.org/2005/Atom'><entry><title type='html'>Two</title>"
        "<link rel='edit' href='http://edit.example/'/><link href='http://two.example/'/>"
        "<updated>2024-03-05T10:20:30Z</updated></entry></feed>",
        "", 10, out));
    ASSERT_EQ(out.results.size(), 1u);
    EXPECT_EQ(out.results[0].url, "http://two.example/");
    EXPECT_EQ(out.results[0].date, "2024-03-05T10:20:30Z");
    EXPECT_TRUE(extractor->extract("", "", 10, out) == false || out.results.empty());
}

} // namespace
} // namespace qsearch
