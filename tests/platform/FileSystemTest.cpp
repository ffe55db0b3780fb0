#include "platform/FileSystem.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace qx::platform {
namespace {

// Whatever stands at the path, a whole-file read answers at once: a pipe with
// no writer or a folder must not hold up the settings or the start-up.
TEST(FileSystem, WholeFileReadsAnswerForEveryKindOfPath) {
    test::TempDir dir;
    std::string bytes = "old";
    EXPECT_EQ(readWholeFile(dir.write("f", "abc"), 16, bytes), 0u);
    EXPECT_EQ(bytes, "abc");
    EXPECT_EQ(readWholeFile(dir.file("missing"), 16, bytes), 0u);
    EXPECT_EQ(bytes, "");
    EXPECT_EQ(readWholeFile(dir.file("missing/below"), 16, bytes), 0u);
    EXPECT_EQ(readWholeFile(dir.path(), 16, bytes), err::Directory);
    EXPECT_EQ(readWholeFile(dir.write("big", std::string(17, 'x')), 16, bytes), err::InvalidData);
    EXPECT_EQ(bytes, "");
    ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0600), 0);
    EXPECT_EQ(readWholeFile(dir.file("fifo"), 16, bytes), err::InvalidData);
    EXPECT_EQ(readWholeFile("/dev/zero", 16, bytes), err::InvalidData);
}

TEST(FileSystem, FilesMatchingAPatternAreRegularFilesInNameOrder) {
    test::TempDir dir;
    dir.write("qxrus.so", "");
    dir.write("qxenu.so", "");
    dir.write(".qxdot.so", "");
    dir.write("qxlong.so", "");
    std::filesystem::create_directory(dir.file("qxdir.so"));
    ASSERT_EQ(::mkfifo(dir.file("qxfif.so").c_str(), 0600), 0);
    EXPECT_EQ(filesMatching(dir.path(), "qx???.so"),
              (std::vector<std::string>{"qxenu.so", "qxrus.so"}));
    EXPECT_TRUE(filesMatching(dir.file("missing"), "*").empty());
}

TEST(FileSystem, FoldersAreMadeWithTheirParentsUnlessAFileIsInTheWay) {
    test::TempDir dir;
    EXPECT_EQ(makeFolders(dir.file("a/b/c")), 0u);
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("a/b/c")));
    EXPECT_EQ(makeFolders(dir.file("a/b/c")), 0u);
    dir.write("file", "");
    EXPECT_EQ(makeFolders(dir.file("file/below")), err::PathNotFound);
}

TEST(FileSystem, AFileReplacedByARenameHasAnotherIdentity) {
    test::TempDir dir;
    const std::string path = dir.write("f", "one");
    const FileIdentity first = identifyFile(path);
    EXPECT_TRUE(first.exists);
    EXPECT_EQ(first.size, 3);
    EXPECT_EQ(identifyFile(path), first);
    const std::string other = dir.write("g", "two");
    std::filesystem::rename(other, path);
    EXPECT_NE(identifyFile(path), first);
    EXPECT_FALSE(identifyFile(dir.file("missing")).exists);
}

TEST(FileSystem, PathsAreResolvedThroughLinks) {
    test::TempDir dir;
    const std::string target = dir.write("target", "");
    std::filesystem::create_symlink(target, dir.file("link"));
    EXPECT_EQ(resolvedPath(dir.file("link")), resolvedPath(target));
    EXPECT_EQ(resolvedPath(dir.file("nothing")), dir.file("nothing"));
    EXPECT_TRUE(isRegularFile(target));
    EXPECT_FALSE(isRegularFile(dir.path()));
    EXPECT_TRUE(isWritableFolder(dir.path()));
}

} // namespace
} // namespace qx::platform
