#include "doc/FileReplacer.h"

#include "TempDir.h"
#include "platform/SystemError.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace qx::doc {
namespace {

using test::TempDir;

int writeText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    return out ? 0 : 1;
}

std::size_t entries(const std::string& folder) {
    std::size_t n = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(folder))
        ++n;
    return n;
}

TEST(FileReplacer, ReplacesTheContentAndKeepsThePermissions) {
    TempDir dir;
    std::string path = dir.write("doc.qxo", "old");
    ::chmod(path.c_str(), 0640);
    ASSERT_EQ(FileReplacer::replace(path, [](const std::string& p) { return writeText(p, "new"); }),
              0);
    EXPECT_EQ(TempDir::read(path), "new");
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(entries(dir.path()), 1u); // no temporary file left
}

TEST(FileReplacer, CreatesAFileThatDidNotExist) {
    TempDir dir;
    std::string path = dir.file("fresh.qxo");
    ASSERT_EQ(FileReplacer::replace(path, [](const std::string& p) { return writeText(p, "x"); }),
              0);
    EXPECT_EQ(TempDir::read(path), "x");
}

TEST(FileReplacer, AWriterFailureLeavesTheOldFileAndNoTemporaryFile) {
    TempDir dir;
    std::string path = dir.write("doc.qxo", "precious");
    int result = FileReplacer::replace(path, [](const std::string& p) {
        writeText(p, "half");
        platform::setLastError(platform::err::DiskFull);
        return 3;
    });
    EXPECT_EQ(result, 3);
    EXPECT_EQ(platform::lastError(), platform::err::DiskFull);
    EXPECT_EQ(TempDir::read(path), "precious");
    EXPECT_EQ(entries(dir.path()), 1u);
}

TEST(FileReplacer, AFolderThatIsAFileFailsWithoutCallingTheWriter) {
    TempDir dir;
    std::string notAFolder = dir.write("plain", "I am a file");
    bool called = false;
    int result = FileReplacer::replace(notAFolder + "/doc.qxo", [&](const std::string&) {
        called = true;
        return 0;
    });
    EXPECT_NE(result, 0);
    EXPECT_FALSE(called);
    EXPECT_EQ(TempDir::read(notAFolder), "I am a file");
}

TEST(FileReplacer, ALinkIsReplacedAtItsTarget) {
    TempDir dir;
    std::string target = dir.write("real.qxo", "old");
    std::string link = dir.file("link.qxo");
    std::filesystem::create_symlink(target, link);
    ASSERT_EQ(FileReplacer::replace(link, [](const std::string& p) { return writeText(p, "new"); }),
              0);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(TempDir::read(target), "new");
}

} // namespace
} // namespace qx::doc
