#include "lang/TextFormat.h"

#include <gtest/gtest.h>
#include <vector>

namespace qx {
namespace {

template <typename... A> std::string fmt(std::string_view f, const A&... args) {
    const std::vector<FormatArg> list = {FormatArg(args)...};
    return formatText(f, list);
}

TEST(TextFormat, ConversionsFlagsAndWidths) {
    EXPECT_EQ(fmt("[%d|%5d|%-5d|%05d|%.3d]", 7, 42, 42, -42, 5), "[7|   42|42   |-0042|005]");
    EXPECT_EQ(fmt("[%u|%x|%X|%#x|%i]", 10u, 255, 255, 255, -3), "[10|ff|FF|0xff|-3]");
    EXPECT_EQ(fmt("[%s|%6s|%-6s|%.2s]", "abc", "abc", "abc", "abc"), "[abc|   abc|abc   |ab]");
    EXPECT_EQ(fmt("[%c%c|%%|%ld|%lu|%hd]", 'o', 'k', 1L, 2UL, 3), "[ok|%|1|2|3]");
    EXPECT_EQ(fmt("%s: %d of %d", std::string("Query"), 3, 10), "Query: 3 of 10");
}

TEST(TextFormat, NegativeNumbersAsUnsignedUseTheirOwnWidth) {
    EXPECT_EQ(fmt("%u %x", -1, -1), "4294967295 ffffffff");
    EXPECT_EQ(fmt("%x", -1LL), "ffffffffffffffff");
    EXPECT_EQ(fmt("%d", 4294967295u), "4294967295");
    EXPECT_EQ(fmt("%d", -2147483647 - 1), "-2147483648");
    EXPECT_EQ(fmt("%d", static_cast<long long>(INT64_MIN)), "-9223372036854775808");
}

// A format that asks for more, or other, arguments than it was given must
// never read past them.
TEST(TextFormat, MissingAndMismatchedArgumentsAreHarmless) {
    EXPECT_EQ(fmt("%s and %d and %c and %s"), " and 0 and  and ");
    EXPECT_EQ(fmt("%d %s", "text", 12), "0 12");
    EXPECT_EQ(fmt("%s", static_cast<const char*>(nullptr)), "");
    EXPECT_EQ(fmt("100%"), "100");
    EXPECT_EQ(fmt("%q %I64d %", 5), "q 5 ");
    EXPECT_EQ(fmt("%99999999999d", 1).size(), 1024u);
    EXPECT_EQ(fmt("%.99999999999d", 1).size(), 1024u);
}

TEST(TextFormat, Utf8TextIsPaddedByCharactersAndNeverCutInside) {
    EXPECT_EQ(fmt("[%6s]", "Поиск"), "[ Поиск]");
    EXPECT_EQ(fmt("[%.3s]", "Яндекс"), "[Я]"); // 3 bytes hold one and a half letters
    EXPECT_EQ(fmt("%c", 0x42F), "Я");
    EXPECT_EQ(fmt("%c", 0x110000), "?");
}

} // namespace
} // namespace qx
