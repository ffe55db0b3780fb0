#include "model/CharsetConverter.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

TEST(CharsetConverter, EachCodePageBecomesUtf8) {
    CharsetConverter converter;
    // "Привет" in each of the Cyrillic code pages.
    EXPECT_EQ(converter.toutf8("\xCF\xF0\xE8\xE2\xE5\xF2", 1), "Привет");
    EXPECT_EQ(converter.toutf8("\x8F\xE0\xA8\xA2\xA5\xE2", 2), "Привет");
    EXPECT_EQ(converter.toutf8("\xF0\xD2\xC9\xD7\xC5\xD4", 3), "Привет");
    EXPECT_EQ(converter.toutf8("\xBF\xE0\xD8\xD2\xD5\xE2", 4), "Привет");
    EXPECT_EQ(converter.toutf8("caf\xE9", 5), "café");
    // The converter of a code is reused.
    EXPECT_EQ(converter.toutf8("\xCF\xF0\xE8\xE2\xE5\xF2 \xEC\xE8\xF0", 1), "Привет мир");
}

// ASCII is the same in every charset and comes back as it stands; anything
// else is converted into the scratch string, whatever it held before.
TEST(CharsetConverter, Utf8ViewsCopyOnlyWhatNeedsConverting) {
    CharsetConverter converter;
    std::string scratch = "left over";
    const std::string_view plain = "plain words";
    EXPECT_EQ(converter.asutf8(plain, 1, scratch).data(), plain.data());
    EXPECT_EQ(scratch, "left over");
    const std::string_view converted = converter.asutf8("\xCF\xF0\xE8\xE2\xE5\xF2", 1, scratch);
    EXPECT_EQ(converted, "Привет");
    EXPECT_EQ(converted.data(), scratch.data());
}

TEST(CharsetConverter, UnknownCodesKeepUtf8AndReplaceBadBytes) {
    CharsetConverter converter;
    EXPECT_EQ(converter.toutf8("Привет", 0), "Привет");
    EXPECT_EQ(converter.toutf8("Привет", 9), "Привет");
    EXPECT_EQ(converter.toutf8("a\xFF"
                               "b",
                               0),
              "a\xEF\xBF\xBD"
              "b");
    // Cut sequences, overlong forms and surrogates are not UTF-8.
    EXPECT_EQ(converter.toutf8("\xD0", 0), "\xEF\xBF\xBD");
    EXPECT_EQ(converter.toutf8("\xC0\xAF", 0), "\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(converter.toutf8("\xED\xA0\x80", 0), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(converter.toutf8("", 1), "");
}

TEST(CharsetConverter, BytesACodePageLacksAreReplaced) {
    CharsetConverter converter;
    // 0x98 has no character in windows-1251.
    EXPECT_EQ(converter.toutf8("a\x98"
                               "b\xCF",
                               1),
              "a\xEF\xBF\xBD"
              "bП");
}

} // namespace
} // namespace qx
