#include "stream/ibwstream.h"
#include "stream/ifbwstream.h"
#include "stream/memwstreambuf.h"
#include "stream/mwstreambuf.h"
#include "stream/obwstream.h"
#include "stream/ofbwstream.h"

#include "FailingStreamBuf.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace qx {
namespace {

// A record of the document format: a 16-bit length placeholder, the body,
// then the length patched in and the stream back at the end.
void writeRecord(owstream& out, const std::string& body) {
    int start = out.tell();
    out.put16(0);
    out.write(body.data(), static_cast<int>(body.size()));
    int end = out.tell();
    out.seek(start, 0);
    out.put16(static_cast<std::uint16_t>(end - start - 2));
    out.seek(end, 0);
}

TEST(BufferedOutput, BackPatchesInsideAndOutsideTheBuffer) {
    test::TempDir dir;
    std::string path = dir.file("records");
    std::string small(5, 's'), large(300, 'L');
    {
        ofbwstream out(path.c_str(), 64);
        writeRecord(out, small); // patched while still buffered
        writeRecord(out, large); // the placeholder went to the file already
        writeRecord(out, small);
        EXPECT_EQ(out.tell(), 3 * 2 + 310);
        EXPECT_EQ(out.close(), 0);
    }
    std::string expected = std::string("\x05\x00", 2) + small + std::string("\x2C\x01", 2) + large +
                           std::string("\x05\x00", 2) + small;
    EXPECT_EQ(test::TempDir::read(path), expected);
}

TEST(BufferedOutput, SeekBackIntoTheBufferThenForward) {
    mwstreambuf mem(16);
    {
        obwstream out(&mem, 32);
        out.write("0123456789", 10);
        EXPECT_EQ(out.seek(3, 0), 3);
        out.write("ab", 2);
        EXPECT_EQ(out.seek(5, 1), 10);
        out.write("XY", 2);
        EXPECT_EQ(out.seek(-4, 1), 8);
        EXPECT_EQ(mem.size(), 0); // nothing flushed yet
        EXPECT_TRUE(out.good());
    }
    EXPECT_EQ(std::string(mem.data(), static_cast<std::size_t>(mem.size())), "012ab56789XY");
}

TEST(BufferedOutput, RelativeSeekOutsideTheBufferCountsFromTheStreamPosition) {
    mwstreambuf mem(16);
    obwstream out(&mem, 8);
    out.write("abcdef", 6);
    out.seek(2, 0);
    // The target lies beyond the buffered bytes; after the flush the transport
    // stands at 6, the stream at 2.
    EXPECT_EQ(out.seek(5, 1), 7);
    out.write("Z", 1);
    EXPECT_EQ(out.flush(), 0);
    EXPECT_EQ(std::string(mem.data(), 8), std::string("abcdef\0Z", 8));
}

TEST(BufferedOutput, AStreamWithoutTransportTakesNothing) {
    obwstream out(nullptr, 8);
    EXPECT_EQ(out.state(), wstream::badbit);
    EXPECT_EQ(out.write("abc", 3), 0);
    EXPECT_EQ(out.flush(), -1);
    EXPECT_EQ(out.hwrite("abc", 3), 0);
}

// The device fills up in the middle of a record: the loss must survive the
// seeks of the back-patch, which clear a mere end-of-data state.
TEST(BufferedOutput, LostBytesStayReportedAcrossSeeks) {
    test::FailingStreamBuf full(100);
    obwstream out(&full, 64);
    writeRecord(out, std::string(150, 'r'));
    EXPECT_NE(out.state() & wstream::failbit, 0);
    EXPECT_EQ(out.flush(), -1);
    EXPECT_EQ(full.size(), 100);

    test::FailingStreamBuf direct(1000);
    obwstream big(&direct, 16);
    std::string block(1500, 'b');
    EXPECT_EQ(big.write(block.data(), 1500), 1000);
    EXPECT_NE(big.state() & wstream::failbit, 0);
    EXPECT_EQ(big.hwrite("x", 1), -1);
}

// Random writes and seeks through a small buffer must leave the same bytes as
// the same operations on a plain string.
TEST(BufferedOutput, MatchesAPlainModel) {
    std::mt19937 rng(7);
    for (int round = 0; round < 20; ++round) {
        mwstreambuf mem(64);
        std::string model;
        {
            obwstream out(&mem, 1 + static_cast<int>(rng() % 40));
            std::size_t pos = 0;
            for (int op = 0; op < 300; ++op) {
                unsigned kind = rng() % 10;
                if (kind < 6) {
                    std::string piece(rng() % 70, static_cast<char>('a' + rng() % 26));
                    if (kind == 5)
                        out.hwrite(piece.data(), static_cast<int>(piece.size()));
                    else
                        out.write(piece.data(), static_cast<int>(piece.size()));
                    if (model.size() < pos + piece.size())
                        model.resize(pos + piece.size());
                    model.replace(pos, piece.size(), piece);
                    pos += piece.size();
                } else if (kind < 8) {
                    pos = model.empty() ? 0 : rng() % (model.size() + 1);
                    ASSERT_EQ(out.seek(static_cast<int>(pos), 0), static_cast<int>(pos));
                } else if (kind == 8) {
                    int back = -static_cast<int>(rng() % (pos + 1));
                    ASSERT_EQ(out.seek(back, 1), static_cast<int>(pos) + back);
                    pos += back;
                } else {
                    ASSERT_EQ(out.seek(0, 2), static_cast<int>(model.size()));
                    pos = model.size();
                }
                // A flush after a seek back must not move the stream.
                if (rng() % 13 == 0) {
                    ASSERT_EQ(out.flush(), 0);
                }
                ASSERT_EQ(out.tell(), static_cast<int>(pos));
            }
            EXPECT_TRUE(out.good());
        }
        ASSERT_EQ(std::string(mem.data(), static_cast<std::size_t>(mem.size())), model);
    }
}

TEST(BufferedInput, MatchesAPlainModel) {
    std::mt19937 rng(11);
    std::string data(5000, '\0');
    for (char& c : data)
        c = static_cast<char>(rng());
    for (int round = 0; round < 20; ++round) {
        memwstreambuf mem(data.data(), static_cast<int>(data.size()));
        ibwstream in(&mem, 1 + static_cast<int>(rng() % 300));
        std::size_t pos = 0;
        bool eof = false; // sticks until the next seek
        for (int op = 0; op < 300; ++op) {
            unsigned kind = rng() % 10;
            if (kind >= 6)
                eof = false;
            if (kind < 6) {
                std::string got(rng() % 700, '\0');
                int n = kind == 5 ? in.hread(got.data(), static_cast<int>(got.size()))
                                  : in.read(got.data(), static_cast<int>(got.size()));
                std::size_t expect = std::min(got.size(), data.size() - pos);
                ASSERT_EQ(n, static_cast<int>(expect));
                ASSERT_EQ(got.substr(0, expect), data.substr(pos, expect));
                pos += expect;
                eof = eof || expect < got.size();
                ASSERT_EQ(in.state(), eof ? wstream::eofbit : 0);
            } else if (kind < 8) {
                pos = rng() % (data.size() + 1);
                ASSERT_EQ(in.seek(static_cast<int>(pos), 0), static_cast<int>(pos));
            } else if (kind == 8) {
                int by = static_cast<int>(rng() % 600) -
                         static_cast<int>(std::min<std::size_t>(pos, 300));
                if (pos + by > data.size())
                    by = static_cast<int>(data.size() - pos);
                ASSERT_EQ(in.seek(by, 1), static_cast<int>(pos) + by);
                pos += by;
            } else {
                int back = -static_cast<int>(rng() % 100);
                pos = data.size() + back;
                ASSERT_EQ(in.seek(back, 2), static_cast<int>(pos));
            }
            ASSERT_EQ(in.tell(), static_cast<int>(pos));
            ASSERT_EQ(in.position(), static_cast<int>(pos));
            ASSERT_EQ(in.state(), eof ? wstream::eofbit : 0);
        }
        // A failed stream answers no position, by either way of asking.
        in.seek(0, 7);
        EXPECT_EQ(in.position(), -1);
        EXPECT_EQ(in.tell(), -1);
    }
}

TEST(BufferedInput, ReadsAFileInLargeAndSmallPieces) {
    test::TempDir dir;
    std::string data;
    for (int i = 0; i < 100000; ++i)
        data.push_back(static_cast<char>(i * 7));
    std::string path = dir.write("f", data);
    ifbwstream in(path.c_str(), 4096);
    std::string got(100000, '\0');
    EXPECT_EQ(in.read(got.data(), 3), 3);
    EXPECT_EQ(in.read(got.data() + 3, 50000), 50000);
    EXPECT_EQ(in.seek(10, 0), 10); // no longer buffered
    EXPECT_EQ(in.read(got.data() + 10, 99990), 99990);
    EXPECT_EQ(got, data);
    EXPECT_EQ(in.state(), 0);
}

} // namespace
} // namespace qx
