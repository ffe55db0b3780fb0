#include "stream/iwstream.h"
#include "stream/memwstream.h"
#include "stream/memwstreambuf.h"
#include "stream/mwstream.h"
#include "stream/mwstreambuf.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace qx {
namespace {

TEST(MemoryStream, ReadingExactlyTheRestThenOneMore) {
    char block[] = "abcdef";
    memwstream s(block, 6);
    char got[8] = {};
    EXPECT_EQ(s.read(got, 6), 6);
    EXPECT_EQ(s.state(), 0);
    EXPECT_EQ(s.read(got, 1), 0);
    EXPECT_EQ(s.state(), wstream::eofbit);
    // A seek clears the end state.
    EXPECT_EQ(s.seek(2, 0), 2);
    EXPECT_EQ(s.state(), 0);
}

TEST(MemoryStream, PastTheEndFailsAndTheStreamStaysFailed) {
    char block[4] = {};
    memwstream s(block, 4);
    EXPECT_EQ(s.seek(10, 0), 10);
    char c;
    EXPECT_EQ(s.read(&c, 1), -1);
    EXPECT_EQ(s.state() & wstream::failbit, wstream::failbit);
    EXPECT_EQ(s.seek(0, 0), -1);
    EXPECT_EQ(s.tell(), -1);
}

TEST(MemoryStream, PositionsBeforeTheStartAreRefused) {
    char block[4] = {1, 2, 3, 4};
    memwstreambuf buf(block, 4);
    EXPECT_EQ(buf.seek(2, 0), 2);
    EXPECT_EQ(buf.seek(-3, 1), -1);
    EXPECT_EQ(buf.seek(-5, 2), -1);
    EXPECT_EQ(buf.tell(), 2);
    EXPECT_EQ(buf.seek(7, 4), 2); // an unknown origin leaves the position
    char c = 0;
    EXPECT_EQ(buf.read(&c, 1), 1);
    EXPECT_EQ(c, 3);
}

TEST(MemoryStream, FixedBlockTakesOnlyWhatFits) {
    char block[4] = {};
    memwstream s(block, 4);
    EXPECT_EQ(s.write("abcdef", 6), 4);
    EXPECT_EQ(s.state(), wstream::eofbit);
    EXPECT_EQ(std::string(block, 4), "abcd");
    memwstream none(nullptr, 4);
    EXPECT_EQ(none.state(), wstream::badbit);
    EXPECT_EQ(none.write("a", 1), 0);
}

TEST(MemoryStream, ValuesAreLittleEndian) {
    mwstream s(16);
    s.put8(0x01).put16(0x0302).put32(0x07060504).put64(0x0F0E0D0C0B0A0908ULL);
    ASSERT_EQ(s.buffer().size(), 15);
    for (int i = 0; i < 15; ++i)
        EXPECT_EQ(s.buffer().data()[i], i + 1);
    EXPECT_EQ(s.seek(0, 0), 0);
    std::uint8_t a;
    std::uint16_t b;
    std::uint32_t c;
    std::uint64_t d;
    s.get8(a).get16(b).get32(c).get64(d);
    EXPECT_TRUE(s.good());
    EXPECT_EQ(a, 0x01);
    EXPECT_EQ(b, 0x0302);
    EXPECT_EQ(c, 0x07060504u);
    EXPECT_EQ(d, 0x0F0E0D0C0B0A0908ULL);
    s.get32(c);
    EXPECT_EQ(c, 0u);
    EXPECT_EQ(s.state(), wstream::eofbit);
}

TEST(GrowableMemory, WrittenPastItsEnd) {
    mwstreambuf buf(8);
    EXPECT_EQ(buf.seek(10, 0), 10);
    EXPECT_EQ(buf.write("abc", 3), 3);
    EXPECT_EQ(buf.size(), 13);
    EXPECT_EQ(buf.capacity() % 8, 0);
    EXPECT_GE(buf.capacity(), 13);
    // The gap reads as zeros, not as stale heap bytes.
    EXPECT_EQ(std::string(buf.data(), 13), std::string(10, '\0') + "abc");

    // Past the end again, inside the capacity, then back over old data.
    EXPECT_EQ(buf.seek(2, 2), 15);
    EXPECT_EQ(buf.write("x", 1), 1);
    EXPECT_EQ(buf.size(), 16);
    EXPECT_EQ(std::string(buf.data() + 13, 3), std::string("\0\0x", 3));
    EXPECT_EQ(buf.seek(0, 0), 0);
    EXPECT_EQ(buf.write("12345678901234567890", 20), 20);
    EXPECT_EQ(buf.size(), 20);
    EXPECT_EQ(buf.capacity(), 24);
}

TEST(GrowableMemory, StepZeroGrowsExactly) {
    mwstream s(0);
    EXPECT_TRUE(s.good());
    EXPECT_EQ(s.buffer().capacity(), 1);
    std::string big(1000, 'k');
    EXPECT_EQ(s.write(big.data(), 1000), 1000);
    EXPECT_EQ(s.buffer().capacity(), 1000);
    EXPECT_EQ(s.seek(-1000, 1), 0);
    char back[1000];
    EXPECT_EQ(s.read(back, 1000), 1000);
    EXPECT_EQ(std::memcmp(back, big.data(), 1000), 0);
}

} // namespace
} // namespace qx
