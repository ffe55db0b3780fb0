#include "stream/memwstream.h"
#include "stream/mwstream.h"
#include "stream/otfwstream.h"
#include "stream/otmwstream.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace qx {
namespace {

std::string text(const otmwstream& s) {
    return {s.buffer().data(), static_cast<std::size_t>(s.buffer().size())};
}

TEST(TextInput, GetlineNormalisesEveryLineEnd) {
    std::string bytes = "a\r\nb\n\rc";
    memwstream in(bytes.data(), static_cast<int>(bytes.size()));
    char line[16];
    int n = -1;
    EXPECT_STREQ(in.getline(line, sizeof line, &n), "a");
    EXPECT_EQ(n, 1);
    EXPECT_STREQ(in.getline(line, sizeof line), "b");
    EXPECT_STREQ(in.getline(line, sizeof line, &n), "c");
    EXPECT_EQ(n, 1);
    EXPECT_EQ(in.state(), wstream::eofbit);
    EXPECT_STREQ(in.getline(line, sizeof line, &n), "");
    EXPECT_EQ(n, 0);
}

TEST(TextInput, EmptyLinesAndShortBuffers) {
    std::string bytes = "\r\n\r\n\n\nlong line";
    memwstream in(bytes.data(), static_cast<int>(bytes.size()));
    EXPECT_EQ(in.getc(), '\n');
    EXPECT_EQ(in.getc(), '\n');
    EXPECT_EQ(in.getc(), '\n');
    EXPECT_EQ(in.getc(), '\n');
    char line[5] = "xxxx";
    EXPECT_EQ(in.getline(line, 0), line);
    EXPECT_STREQ(line, "xxxx");
    EXPECT_STREQ(in.getline(line, 5), "long");
    EXPECT_STREQ(in.getline(line, 5), " lin");
    EXPECT_STREQ(in.getline(line, 5), "e");
    EXPECT_EQ(in.getc(), 0);
}

TEST(TextOutput, NumbersInARadix) {
    otmwstream out(8);
    out.putint(0).puts(" ").putint(-42).puts(" ").putint(INT_MIN).puts(" ");
    out.putuint(UINT_MAX, 16).puts(" ").putuint(5, 2).puts(" ").putuint(35, 36).puts(" ");
    out.putuint(7, 1);
    EXPECT_EQ(text(out), "0 -42 -2147483648 ffffffff 101 z 7");
}

TEST(TextOutput, DumpPiecesAndLines) {
    otmwstream out(8);
    out.indent(2).puts("node").puts(nullptr).puts("xyz", 1).puts(Str("!")).endl();
    out.indent(0).putline("p", -1);
    out.putline(nullptr);
    out.putptr(reinterpret_cast<const void*>(std::uintptr_t{0xbeef}));
    EXPECT_EQ(text(out), "    nodex!\r\np\r\n\r\n0xbeef");
    EXPECT_TRUE(out.good());
}

TEST(TextOutput, FixedBlockAndFile) {
    char block[6];
    otmwstream fixed(block, sizeof block);
    fixed.puts("abcdefgh");
    EXPECT_EQ(fixed.state(), wstream::eofbit);
    EXPECT_EQ(std::string(block, 6), "abcdef");

    test::TempDir dir;
    std::string path = dir.file("dump.txt");
    {
        otfwstream file(path.c_str());
        file.puts("n=").putint(12).endl();
    }
    EXPECT_EQ(test::TempDir::read(path), "n=12\r\n");
}

} // namespace
} // namespace qx
