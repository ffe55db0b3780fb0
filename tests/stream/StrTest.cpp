#include "stream/Str.h"
#include "stream/iwstream.h"
#include "stream/memwstream.h"
#include "stream/mwstream.h"
#include "stream/owstream.h"

#include <gtest/gtest.h>

#include <string>

namespace qx {
namespace {

TEST(Str, EmptyAndNullAreTheSame) {
    for (const Str& s : {Str(), Str(""), Str(static_cast<const char*>(nullptr)), Str("abc", 0),
                         Str(std::string_view())}) {
        EXPECT_EQ(s.get(), nullptr);
        EXPECT_STREQ(s.c_str(), "");
        EXPECT_TRUE(s.empty());
        EXPECT_EQ(s, Str());
    }
}

TEST(Str, CopiesOwnTheirBytes) {
    Str a("hello");
    Str b = a;
    EXPECT_NE(a.get(), b.get());
    EXPECT_EQ(a, b);
    Str c = std::move(b);
    EXPECT_TRUE(b.empty());
    EXPECT_EQ(c.view(), "hello");
    const Str& same = c;
    c = same;
    EXPECT_EQ(c.view(), "hello");
    a = Str("x\0y", 3);
    EXPECT_EQ(a.length(), 3u);
    EXPECT_NE(a, Str("x"));
    EXPECT_EQ(a.get()[3], '\0');
}

std::string streamForm(const Str& s) {
    mwstream out(256);
    out << s;
    EXPECT_TRUE(out.good());
    return {out.buffer().data(), static_cast<std::size_t>(out.buffer().size())};
}

Str readBack(std::string bytes) {
    memwstream in(bytes.data(), static_cast<int>(bytes.size()));
    Str s("previous");
    in >> s;
    EXPECT_TRUE(in.good());
    return s;
}

TEST(Str, StreamFormRoundTrips) {
    EXPECT_EQ(streamForm(Str()), std::string(2, '\0'));
    EXPECT_EQ(readBack(std::string(2, '\0')).get(), nullptr);

    EXPECT_EQ(streamForm(Str("ab")), std::string("\x02\x00"
                                                 "ab",
                                                 4));
    EXPECT_EQ(readBack(std::string("\x03\x00"
                                   "a\0b",
                                   5)),
              Str("a\0b", 3));

    std::string longest(65534, 'q');
    longest[100] = 'x';
    std::string bytes = streamForm(Str(longest));
    ASSERT_EQ(bytes.size(), 65536u);
    EXPECT_EQ(bytes.substr(0, 2), "\xFE\xFF");
    EXPECT_EQ(readBack(bytes).view(), longest);

    for (std::size_t n : {65535u, 70000u}) {
        std::string text(n, 'z');
        bytes = streamForm(Str(text));
        ASSERT_EQ(bytes.size(), 65536u) << n;
        EXPECT_EQ(bytes.substr(0, 2), "\xFE\xFF");
        EXPECT_EQ(readBack(bytes).view(), text.substr(0, 65534));
    }
}

TEST(Str, TruncatedStreamFormLeavesNullAndAState) {
    std::string bytes("\x0A\x00"
                      "abc",
                      5);
    memwstream in(bytes.data(), static_cast<int>(bytes.size()));
    Str s("previous");
    in >> s;
    EXPECT_EQ(s.get(), nullptr);
    EXPECT_EQ(in.state() & wstream::eofbit, wstream::eofbit);

    std::string half("\x05", 1);
    memwstream in2(half.data(), 1);
    in2 >> s;
    EXPECT_EQ(s.get(), nullptr);
    EXPECT_FALSE(in2.good());
}

} // namespace
} // namespace qx
