#include "net/ReadableAddress.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

TEST(ReadableAddress, EscapedWordsAndBlanksReadAsTheyWereTyped) {
    EXPECT_EQ(readableAddress("http://host0.example/%D1%82%D0%B5%D1%81%D1%82%20%D0%BF%D0%BE%D0%B8"
                              "%D1%81%D0%BA/0"),
              "http://host0.example/тест поиск/0");
    // Lower-case hex and plain text around it.
    EXPECT_EQ(readableAddress("http://h/a%c3%a9b?q=1"), "http://h/aéb?q=1");
    EXPECT_EQ(readableAddress("http://h/plain"), "http://h/plain");
}

TEST(ReadableAddress, EscapedDelimitersKeepTheAddressMeaningTheSame) {
    EXPECT_EQ(readableAddress("http://h/a%2Fb%3Fc%23d%25e%26f"), "http://h/a%2Fb%3Fc%23d%25e%26f");
    EXPECT_EQ(readableAddress("http://h/a%2fb"), "http://h/a%2Fb");
}

TEST(ReadableAddress, ControlAndDirectionCharactersStayEscaped) {
    // A right-to-left override would show the rest of the address reversed.
    EXPECT_EQ(readableAddress("http://h/%E2%80%AEexe.txt"), "http://h/%E2%80%AEexe.txt");
    EXPECT_EQ(readableAddress("http://h/a%E2%81%A6b%E2%80%8Fc"), "http://h/a%E2%81%A6b%E2%80%8Fc");
    // Zero-width space, soft hyphen, byte-order mark, C1 control, DEL.
    EXPECT_EQ(readableAddress("%E2%80%8B%C2%AD%EF%BB%BF%C2%85%7F"),
              "%E2%80%8B%C2%AD%EF%BB%BF%C2%85%7F");
    EXPECT_EQ(readableAddress("http://h/%0D%0Aa%00"), "http://h/%0D%0Aa%00");
    // The same characters stored unescaped are escaped for the reader too.
    EXPECT_EQ(readableAddress("http://h/\xE2\x80\xAE"
                              "a\tb"),
              "http://h/%E2%80%AEa%09b");
}

TEST(ReadableAddress, BytesThatAreNoUtf8AndBrokenEscapesSurvive) {
    // windows-1251 bytes, an overlong slash, a surrogate, a cut sequence.
    EXPECT_EQ(readableAddress("http://h/%F2%E5%F1%F2"), "http://h/%F2%E5%F1%F2");
    EXPECT_EQ(readableAddress("%C0%AF%ED%A0%80%E2%82"), "%C0%AF%ED%A0%80%E2%82");
    EXPECT_EQ(readableAddress("http://h/\xF2\xE5"), "http://h/%F2%E5");
    EXPECT_EQ(readableAddress("100%"), "100%");
    EXPECT_EQ(readableAddress("a%4"), "a%4");
    EXPECT_EQ(readableAddress("a%zz%"), "a%zz%");
    EXPECT_EQ(readableAddress(""), "");
    // A character escaped in part and written in part still reads whole.
    EXPECT_EQ(readableAddress("%D1\x82"), "т");
}

} // namespace
} // namespace qx
