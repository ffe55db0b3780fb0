#include "model/SearchKey.h"
#include "model/NoCase.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

TEST(SearchKey, HashRotatesLeftThenXors) {
    // "ab": ((0 rotl 1) ^ 'a') rotl 1 ^ 'b' = 0xC2 ^ 0x62.
    EXPECT_EQ(SearchKey::hashof("ab", false), 0xA0u);
    EXPECT_EQ(SearchKey::hashof(nullptr, false), 0u);
    // The top bit comes round to the bottom.
    const char high[] = "\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff"
                        "\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff";
    std::uint32_t expect = 0;
    for (int i = 0; i < 33; ++i) {
        expect = ((expect << 1) | (expect >> 31)) ^ 0xFFu;
    }
    EXPECT_EQ(SearchKey::hashof(high, false), expect);
}

TEST(SearchKey, CaseModes) {
    EXPECT_EQ(SearchKey::hashof("HTTP://A", true), SearchKey::hashof("http://a", false));
    EXPECT_NE(SearchKey::hashof("HTTP://A", false), SearchKey::hashof("http://a", false));
    const SearchKey upper("HTTP://A", true);
    const SearchKey lower("http://a", true);
    EXPECT_TRUE(upper == lower);
    const SearchKey exact("http://a", false);
    const SearchKey exact2("HTTP://A", false);
    EXPECT_FALSE(exact == exact2);
}

TEST(SearchKey, AKeyWithoutTextEqualsNothing) {
    const SearchKey none;
    const SearchKey empty("", false);
    EXPECT_EQ(empty.text(), nullptr);
    EXPECT_FALSE(none == none);
    EXPECT_FALSE(none == empty);
    const SearchKey a("x", false);
    EXPECT_FALSE(a == none);
    EXPECT_TRUE(a == SearchKey("x", false));
}

TEST(SearchKey, EqualHashesDifferentTexts) {
    // 1 rotated is 2, and 2 XOR 3 is 1 again: the hash of the single byte 1.
    const char first[] = "\x01\x03";
    const char second[] = "\x01";
    ASSERT_EQ(SearchKey::hashof(first, false), SearchKey::hashof(second, false));
    EXPECT_FALSE(SearchKey(first, false) == SearchKey(second, false));
}

TEST(NoCase, ComparesAsciiLettersOnly) {
    EXPECT_EQ(nocase::compare("ABC", "abc"), 0);
    EXPECT_LT(nocase::compare("ab", "abc"), 0);
    EXPECT_GT(nocase::compare("b", "A"), 0);
    EXPECT_NE(nocase::compare("\xC0", "\xE0"), 0);
    EXPECT_TRUE(nocase::equal("Charset", "CHARSET"));
}

} // namespace
} // namespace qx
