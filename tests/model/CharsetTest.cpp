#include "model/Charset.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace qx {
namespace {

struct Parsed {
    std::string media;
    std::uint32_t charset;
};

Parsed parse(std::string_view value) {
    Str media("stale");
    std::uint32_t charset = 77;
    Charset::parsecontenttype(value, media, charset);
    return {std::string(media.view()), charset};
}

TEST(Charset, ResultNamesInAnyCase) {
    EXPECT_EQ(Charset::fromresult("windows-1251"), Charset::Windows1251);
    EXPECT_EQ(Charset::fromresult("IBM866"), Charset::Ibm866);
    EXPECT_EQ(Charset::fromresult("Koi8-R"), Charset::Koi8r);
    EXPECT_EQ(Charset::fromresult("iso8859-5"), Charset::Iso8859_5);
    EXPECT_EQ(Charset::fromresult("ISO8859-1"), Charset::Iso8859_1);
    EXPECT_EQ(Charset::fromresult("utf-8"), Charset::Unknown);
    EXPECT_EQ(Charset::fromresult(""), Charset::Unknown);
    EXPECT_EQ(Charset::fromresult("zzz"), Charset::Unknown);
}

TEST(Charset, TheHeaderTableLacksLatin1) {
    EXPECT_EQ(Charset::fromheader("iso8859-1"), Charset::Unknown);
    EXPECT_EQ(Charset::fromresult("iso8859-1"), Charset::Iso8859_1);
    EXPECT_EQ(Charset::fromheader("KOI8-R"), Charset::Koi8r);
    EXPECT_EQ(parse("text/html; charset=iso8859-1").charset, 0u);
}

TEST(Charset, ContentTypeItems) {
    Parsed p = parse("text/html; charset=KOI8-R");
    EXPECT_EQ(p.media, "text/html");
    EXPECT_EQ(p.charset, Charset::Koi8r);
    p = parse("charset=windows-1251");
    EXPECT_EQ(p.media, "");
    EXPECT_EQ(p.charset, Charset::Windows1251);
    // Blanks around "=" split the parameter into items without "=".
    p = parse("text/plain; charset = ibm866");
    EXPECT_EQ(p.media, "ibm866");
    EXPECT_EQ(p.charset, 0u);
    // A quoted value is not a name of the table.
    EXPECT_EQ(parse("text/html; charset=\"koi8-r\"").charset, 0u);
    // The last item without "=" wins; other parameters are ignored.
    p = parse(";;  text/html ;; text/xml; q=1;CHARSET=iso8859-5;  ");
    EXPECT_EQ(p.media, "text/xml");
    EXPECT_EQ(p.charset, Charset::Iso8859_5);
    p = parse("");
    EXPECT_EQ(p.media, "");
    EXPECT_EQ(p.charset, 0u);
    EXPECT_EQ(parse(" ; ; ").media, "");
    EXPECT_EQ(parse("charset=").charset, 0u);
    EXPECT_EQ(parse("=koi8-r").charset, 0u);
}

TEST(Charset, AnyBytesParseSafely) {
    std::mt19937 random(7);
    const std::string alphabet = std::string("; =\"\0\xff", 6) + "charsetKOI8-Rwindows1251";
    for (int round = 0; round < 5000; ++round) {
        std::string value(random() % 40, ' ');
        for (char& c : value) {
            c = alphabet[random() % alphabet.size()];
        }
        const Parsed p = parse(value);
        EXPECT_LE(p.charset, 5u);
        EXPECT_LE(p.media.size(), value.size());
        EXPECT_EQ(p.media.find_first_of("; "), std::string::npos);
    }
}

} // namespace
} // namespace qx
