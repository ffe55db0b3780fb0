#include "platform/File.h"
#include "platform/SystemError.h"

#include "TempDir.h"

#include <gtest/gtest.h>

namespace qx::platform {
namespace {

TEST(File, OpenFailuresSetTheLastError) {
    test::TempDir dir;
    EXPECT_EQ(openFileForReading(dir.file("missing").c_str()), kInvalidFile);
    EXPECT_EQ(lastError(), err::FileNotFound);
    EXPECT_EQ(openFileForWriting(dir.file("missing").c_str(), false), kInvalidFile);
    EXPECT_EQ(lastError(), err::FileNotFound);
    // A folder opens for reading under POSIX; here it must not.
    EXPECT_EQ(openFileForReading(dir.path().c_str()), kInvalidFile);
    EXPECT_EQ(lastError(), err::Directory);
    // A regular file where a folder is expected.
    std::string file = dir.write("plain", "x");
    EXPECT_EQ(openFileForWriting((file + "/below").c_str(), true), kInvalidFile);
    EXPECT_EQ(lastError(), err::PathNotFound);
}

TEST(File, WriteWithoutCreateKeepsTheTail) {
    test::TempDir dir;
    std::string path = dir.write("f", "0123456789");
    FileHandle f = openFileForWriting(path.c_str(), false);
    ASSERT_NE(f, kInvalidFile);
    EXPECT_EQ(writeFile(f, "ab", 2), 2);
    EXPECT_EQ(seekFile(f, -1, 2), 9);
    EXPECT_EQ(writeFile(f, "Z", 1), 1);
    EXPECT_EQ(seekFile(f, 0, 3), -1);
    EXPECT_EQ(lastError(), err::InvalidParameter);
    EXPECT_TRUE(closeFile(f));
    EXPECT_EQ(test::TempDir::read(path), "ab2345678Z");

    f = openFileForWriting(path.c_str(), true);
    ASSERT_NE(f, kInvalidFile);
    EXPECT_TRUE(closeFile(f));
    EXPECT_EQ(test::TempDir::read(path), "");
}

TEST(File, ReadsAndSeeks) {
    test::TempDir dir;
    std::string path = dir.write("f", "hello world");
    FileHandle f = openFileForReading(path.c_str());
    ASSERT_NE(f, kInvalidFile);
    char text[32] = {};
    EXPECT_EQ(seekFile(f, 6, 0), 6);
    EXPECT_EQ(readFile(f, text, sizeof text), 5);
    EXPECT_STREQ(text, "world");
    EXPECT_EQ(readFile(f, text, 1), 0);
    EXPECT_EQ(seekFile(f, -5, 1), 6);
    EXPECT_EQ(seekFile(f, -20, 1), -1);
    EXPECT_EQ(writeFile(f, "x", 1), -1);
    EXPECT_TRUE(closeFile(f));
}

TEST(File, FullDeviceReportsDiskFull) {
    FileHandle f = openFileForWriting("/dev/full", false);
    ASSERT_NE(f, kInvalidFile);
    EXPECT_EQ(writeFile(f, "abc", 3), -1);
    EXPECT_EQ(lastError(), err::DiskFull);
    closeFile(f);
}

} // namespace
} // namespace qx::platform
