#include "model/URLPartIterator.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qx {
namespace {

// Every full piece, then the last piece after '|'.
std::string walk(std::string_view url) {
    URLPartIterator it(url);
    std::string out;
    while (it.Next()) {
        out += std::string(it.Piece()) + ",";
        it.Advance();
    }
    return out + "|" + std::string(it.Piece());
}

TEST(URLPartIterator, HostThenPathPiecesWithLastPieceApart) {
    EXPECT_EQ(walk("scheme://host/a/b/c"), "scheme://host,a,b,|c");
    EXPECT_EQ(walk("scheme://host"), "|scheme://host");
    EXPECT_EQ(walk("scheme://host/a/"), "scheme://host,a,|");
}

TEST(URLPartIterator, QueryAndFragmentStayWithTheLastPiece) {
    EXPECT_EQ(walk("scheme://host/a/b?x"), "scheme://host,a,|b?x");
    EXPECT_EQ(walk("scheme://host?x"), "scheme://host,|?x");
    EXPECT_EQ(walk("scheme://host/a?x/y#z"), "scheme://host,|a?x/y#z");
    EXPECT_EQ(walk("scheme://host/a#f/g"), "scheme://host,|a#f/g");
    EXPECT_EQ(walk("scheme://host/?q"), "scheme://host,|?q");
    EXPECT_EQ(walk("a?x"), "a,|?x");
    EXPECT_EQ(walk("?x"), "|?x");
}

TEST(URLPartIterator, SeparatorsBackslashesAndRuns) {
    EXPECT_EQ(walk("scheme://host\\a"), "scheme://host,|a");
    EXPECT_EQ(walk("scheme://host//a\\/\\b///"), "scheme://host,a,b,|");
    EXPECT_EQ(walk("scheme:\\\\host\\a"), "scheme:,host,|a");
}

TEST(URLPartIterator, TextsWithoutSchemeOrHost) {
    EXPECT_EQ(walk(""), "|");
    EXPECT_EQ(walk("a/b"), "a,|b");
    EXPECT_EQ(walk("/a/b"), "|");
    EXPECT_EQ(walk("scheme://"), "|scheme://");
    EXPECT_EQ(walk(":"), "|:");
    EXPECT_EQ(walk("host:8080/a"), "host:8080,|a");
    // A colon inside the query does not count as a scheme.
    EXPECT_EQ(walk("a/b?c:d"), "a,|b?c:d");
}

TEST(URLPartIterator, SafeWhenMisused) {
    URLPartIterator it("scheme://host/a");
    it.Advance(); // before any Next
    while (it.Next())
        it.Advance();
    EXPECT_FALSE(it.Next());
    it.Advance();
    EXPECT_EQ(it.Piece(), "a");
    // Text after an embedded terminator is not part of the address.
    EXPECT_EQ(walk(std::string_view("s://h/a\0/b", 10)), "s://h,|a");
}

} // namespace
} // namespace qx
