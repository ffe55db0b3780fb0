#include "stream/fwstreambuf.h"
#include "stream/ifbwstream.h"
#include "stream/ifwstream.h"
#include "stream/ofbwstream.h"
#include "stream/ofwstream.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace qx {
namespace {

TEST(FileStream, MissingFileGivesBadStreamsThatReadNothing) {
    test::TempDir dir;
    std::string path = dir.file("missing");
    ifwstreambuf buf(path.c_str());
    iwstream plain(&buf);
    ifwstream small(path.c_str());
    ifbwstream big(path.c_str(), 65536);
    for (iwstream* s : {&plain, static_cast<iwstream*>(&small), static_cast<iwstream*>(&big)}) {
        EXPECT_EQ(s->state() & wstream::badbit, wstream::badbit);
        char c[4];
        EXPECT_EQ(s->read(c, 4), 0);
        EXPECT_EQ(s->seek(0, 0), -1);
        std::uint32_t v = 7;
        s->get32(v);
        EXPECT_EQ(v, 0u);
    }
    ofwstream nowhere(dir.file("missing").c_str(), false);
    EXPECT_EQ(nowhere.state(), wstream::badbit);
    EXPECT_EQ(nowhere.close(), -1);
    ofwstream folder(dir.path().c_str());
    EXPECT_EQ(folder.state(), wstream::badbit);
    ifwstream folderIn(dir.path().c_str());
    EXPECT_EQ(folderIn.state(), wstream::badbit);
}

TEST(FileStream, OverwriteWithoutCreateKeepsTheTail) {
    test::TempDir dir;
    std::string path = dir.write("f", "0123456789");
    {
        ofwstream out(path.c_str(), false);
        ASSERT_TRUE(out.good());
        out.put16(0x4241);
    }
    EXPECT_EQ(test::TempDir::read(path), "AB23456789");
    {
        ofwstream out(path.c_str());
        out.putline("x");
    }
    EXPECT_EQ(test::TempDir::read(path), "x\r\n");
}

// Another writer cuts the file while it is being read: the reader sees the end
// early and says so, and nothing breaks.
TEST(FileStream, FileTruncatedWhileOpen) {
    test::TempDir dir;
    std::string content(10000, 'a');
    std::string path = dir.write("f", content);
    ifwstreambuf raw(path.c_str());
    iwstream plain(&raw);
    ifbwstream buffered(path.c_str(), 4096);
    char chunk[3000];
    EXPECT_EQ(plain.read(chunk, 3000), 3000);
    EXPECT_EQ(buffered.read(chunk, 3000), 3000);

    int fd = ::open(path.c_str(), O_WRONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, 5000), 0);
    ::close(fd);

    EXPECT_EQ(plain.read(chunk, 3000), 2000);
    EXPECT_EQ(plain.state(), wstream::eofbit);
    // The buffered reader still holds 1096 bytes it read before the cut.
    EXPECT_EQ(buffered.read(chunk, 3000), 2000);
    EXPECT_EQ(buffered.state(), wstream::eofbit);
    EXPECT_EQ(buffered.read(chunk, 3000), 0);
    EXPECT_EQ(buffered.tell(), 5000);
}

TEST(FileStream, ExplicitFlushReportsAFullDisk) {
    ofbwstream out("/dev/full", 65536, false);
    ASSERT_TRUE(out.good());
    out.put32(1).put32(2);
    EXPECT_TRUE(out.good()); // still in the buffer
    EXPECT_EQ(out.flush(), -1);
    EXPECT_EQ(out.state() & wstream::failbit, wstream::failbit);

    ofwstream small("/dev/full", false);
    std::string block(2000, 'b');
    EXPECT_LT(small.write(block.data(), 2000), 2000);
    EXPECT_NE(small.state() & wstream::failbit, 0);
    EXPECT_EQ(small.close(), -1);
}

TEST(FileStream, CloseAndSyncReportSuccess) {
    test::TempDir dir;
    std::string path = dir.file("f");
    ofbwstream out(path.c_str(), 64);
    out.putline("first");
    EXPECT_EQ(out.sync(), 0);
    EXPECT_EQ(test::TempDir::read(path), "first\r\n");
    out.putline("second");
    EXPECT_EQ(out.close(), 0);
    EXPECT_TRUE(out.good());
    EXPECT_EQ(test::TempDir::read(path), "first\r\nsecond\r\n");
}

} // namespace
} // namespace qx
