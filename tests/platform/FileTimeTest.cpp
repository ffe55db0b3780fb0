#include "platform/FileTime.h"
#include "platform/SystemError.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <limits>
#include <sys/stat.h>

namespace qx::platform {
namespace {

TEST(FileTime, ConvertsBothWays) {
    EXPECT_EQ(fileTimeFromUnix(0), kUnixEpochFileTime);
    // 2000-01-01 00:00:00.1234567 UTC.
    EXPECT_EQ(fileTimeFromUnix(946684800, 123456789), 125911584001234567ULL);
    std::uint32_t ns = 0;
    EXPECT_EQ(unixFromFileTime(125911584001234567ULL, &ns), 946684800);
    EXPECT_EQ(ns, 123456700u);
    // 1601 itself, and before and beyond the range.
    EXPECT_EQ(unixFromFileTime(0), -11644473600);
    EXPECT_EQ(fileTimeFromUnix(-11644473600), 0u);
    EXPECT_EQ(fileTimeFromUnix(-11644473601), 0u);
    EXPECT_EQ(fileTimeFromUnix(std::numeric_limits<std::int64_t>::max()),
              std::numeric_limits<FileTime>::max());
    EXPECT_EQ(fileTimeFromUnix(std::numeric_limits<std::int64_t>::min()), 0u);
}

TEST(FileTime, ModificationTimeOfAFile) {
    test::TempDir dir;
    std::string path = dir.write("f", "x");
    timespec times[2] = {{946684800, 500}, {946684800, 123456789}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    FileTime t = 0;
    ASSERT_TRUE(fileModificationTime(path.c_str(), &t));
    EXPECT_EQ(t, 125911584001234567ULL);

    EXPECT_FALSE(fileModificationTime(dir.file("missing").c_str(), &t));
    EXPECT_EQ(lastError(), err::FileNotFound);
}

TEST(FileTime, SetModificationTimeReadsBack) {
    test::TempDir dir;
    const std::string path = dir.write("f", "x");
    ASSERT_TRUE(setFileModificationTime(path.c_str(), 125911584001234567ULL));
    FileTime t = 0;
    ASSERT_TRUE(fileModificationTime(path.c_str(), &t));
    EXPECT_EQ(t, 125911584001234567ULL);
    EXPECT_FALSE(setFileModificationTime(dir.file("missing").c_str(), t));
    EXPECT_EQ(lastError(), err::FileNotFound);
}

TEST(FileTime, NowReadsTheClockTheFileSystemStampsWith) {
    test::TempDir dir;
    const FileTime before = currentFileTime();
    const std::string path = dir.write("f", "x");
    const FileTime after = currentFileTime();
    FileTime stamped = 0;
    ASSERT_TRUE(fileModificationTime(path.c_str(), &stamped));
    // The file system stamps from a coarse clock that may lag by a tick.
    constexpr FileTime kTick = 20 * 10000; // 20 ms in 100 ns units
    EXPECT_GE(stamped + kTick, before);
    EXPECT_LE(stamped, after);
}

} // namespace
} // namespace qx::platform
