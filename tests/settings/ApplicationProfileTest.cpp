#include "settings/ApplicationProfile.h"
#include "settings/AtomicFile.h"

#include "TempDir.h"

#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace qx {
namespace {

using test::TempDir;

class ApplicationProfileTest : public ::testing::Test {
protected:
    TempDir dir;
    std::string path = dir.file("qxseek.INI");
    ApplicationProfile profile{path};
};

TEST_F(ApplicationProfileTest, IntegersReadLikeThePlatform) {
    dir.write("qxseek.INI", "[N]\na=42\nb=-7\nc=12abc\nd=abc\ne=\nf=99999999999\ng=+5\n");
    EXPECT_EQ(profile.readInt("N", "a", 1), 42);
    EXPECT_EQ(profile.readInt("N", "b", 1), -7);
    EXPECT_EQ(profile.readInt("N", "c", 1), 12);
    EXPECT_EQ(profile.readInt("N", "d", 1), 0);
    EXPECT_EQ(profile.readInt("N", "e", 1), 1); // an empty value is the default
    EXPECT_EQ(profile.readInt("N", "f", 1), static_cast<int>(99999999999LL & 0xFFFFFFFF));
    EXPECT_EQ(profile.readInt("N", "g", 1), 5);
    EXPECT_EQ(profile.readInt("N", "missing", 3), 3);
    EXPECT_EQ(profile.readInt("Missing", "a", 4), 4);
}

TEST_F(ApplicationProfileTest, LongValuesAreCutWithoutBreakingACharacter) {
    std::string longAscii(5000, 'a');
    ASSERT_TRUE(profile.writeString("S", "k", longAscii));
    EXPECT_EQ(profile.readString("S", "k", ""), std::string(1023, 'a'));

    // 1022 ASCII bytes, then a two-byte character across the limit.
    std::string cyrillic = std::string(1022, 'a') + "\xD0\xAF" + "b";
    ASSERT_TRUE(profile.writeString("S", "k", cyrillic));
    EXPECT_EQ(profile.readString("S", "k", ""), std::string(1022, 'a'));

    EXPECT_EQ(profile.readString("S", "missing", longAscii).size(), 1023u);
}

TEST_F(ApplicationProfileTest, QuoteProtectionRoundTrips) {
    for (std::string text : {"\"quoted\"", "\"", "\"\"", "\"a\" and \"b\"", "plain", "\"open"}) {
        ASSERT_TRUE(profile.writeString("Q", "k", text, true));
        EXPECT_EQ(profile.readString("Q", "k", "?"), text) << text;
    }
    ASSERT_TRUE(profile.writeString("Q", "k", "\"quoted\"", true));
    EXPECT_NE(TempDir::read(path).find("k=\"\"quoted\"\""), std::string::npos);
    // Without protection one pair of quotes is lost on reading.
    ASSERT_TRUE(profile.writeString("Q", "k", "\"quoted\""));
    EXPECT_EQ(profile.readString("Q", "k", "?"), "quoted");
}

TEST_F(ApplicationProfileTest, ListsWriteCountAndEntriesAndAnEmptyListNoSection) {
    std::vector<std::string> list = {"\"q\",100,39,0,0,,", "x,1,2,0,0,,", "\"q\"", "a,\"b\""};
    ASSERT_TRUE(profile.writeList("SearchHistory", list, true));
    std::vector<std::string> back = {"stale"};
    profile.readList("SearchHistory", back);
    EXPECT_EQ(back, list);
    EXPECT_EQ(profile.readInt("SearchHistory", "count", 0), 4);

    ASSERT_TRUE(profile.writeList("SearchHistory", {}, true));
    EXPECT_EQ(TempDir::read(path).find("SearchHistory"), std::string::npos);
    profile.readList("SearchHistory", back);
    EXPECT_TRUE(back.empty());
}

TEST_F(ApplicationProfileTest, ListReaderIsBoundedWhateverCountSays) {
    std::string text = "[H]\ncount=40\n";
    for (int i = 0; i < 40; ++i)
        text += std::to_string(i) + "=e" + std::to_string(i) + "\n";
    dir.write("qxseek.INI", text);
    std::vector<std::string> list;
    profile.readList("H", list);
    ASSERT_EQ(list.size(), 25u);
    EXPECT_EQ(list[24], "e24");

    dir.write("qxseek.INI", "[H]\ncount=-3\n");
    profile.readList("H", list);
    EXPECT_TRUE(list.empty());
    dir.write("qxseek.INI", "[H]\ncount=2147483647\n0=a\n");
    profile.readList("H", list, 3);
    EXPECT_EQ(list, (std::vector<std::string>{"a", "", ""}));
}

TEST_F(ApplicationProfileTest, DeleteSectionAndSeesChangesMadeByOthers) {
    dir.write("qxseek.INI", "[A]\nk=1\n[B]\nk=2\n");
    EXPECT_EQ(profile.readInt("A", "k", 0), 1);
    ASSERT_TRUE(profile.deleteSection("a"));
    EXPECT_EQ(profile.readInt("A", "k", 0), 0);
    EXPECT_EQ(TempDir::read(path), "[B]\nk=2\n");
    // Another program edits the file; the next read sees it.
    dir.write("qxseek.INI", "[B]\nk=3\nlonger=line\n");
    EXPECT_EQ(profile.readInt("B", "k", 0), 3);
}

// Another program rewrites the file in place, keeping its size and putting its
// modification time back: the next read sees the edit, and the next write
// keeps it.
TEST_F(ApplicationProfileTest, AnEditInPlaceWithTheOldSizeAndTimeIsNotLost) {
    ASSERT_TRUE(profile.writeString("A", "k", "1"));
    ASSERT_EQ(profile.readInt("A", "k", 0), 1);
    struct stat before {};
    ASSERT_EQ(::stat(path.c_str(), &before), 0);
    const auto rewrite = [&](const char* text) {
        const int fd = ::open(path.c_str(), O_WRONLY);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::pwrite(fd, text, std::strlen(text), 0),
                  static_cast<ssize_t>(std::strlen(text)));
        const timespec times[2] = {before.st_atim, before.st_mtim};
        ASSERT_EQ(::futimens(fd, times), 0);
        ::close(fd);
    };
    rewrite("[A]\nk=2\n");
    ASSERT_EQ(TempDir::read(path).size(), static_cast<std::size_t>(before.st_size));
    ASSERT_TRUE(profile.writeString("B", "k", "x"));
    EXPECT_EQ(TempDir::read(path), "[A]\nk=2\n\n[B]\nk=x\n");
    EXPECT_EQ(profile.readInt("A", "k", 0), 2);

    // Reads tell the edit by the change time, once the clock has moved on.
    ASSERT_EQ(::stat(path.c_str(), &before), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    rewrite("[A]\nk=3\n[B]\nk=y\n");
    EXPECT_EQ(profile.readInt("A", "k", 0), 3);
    EXPECT_EQ(profile.readString("B", "k", ""), "y");
}

TEST_F(ApplicationProfileTest, DeletingOrEmptyingNothingCreatesNoFile) {
    ASSERT_TRUE(profile.deleteSection("A"));
    ASSERT_TRUE(profile.writeList("H", {}, true));
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(ApplicationProfileTest, WriteCreatesMissingFoldersAndKeepsPermissions) {
    ApplicationProfile nested(dir.file("config/qxseek/qxseek.INI"));
    ASSERT_TRUE(nested.writeInt("A", "k", 1));
    EXPECT_EQ(nested.readInt("A", "k", 0), 1);

    dir.write("qxseek.INI", "[A]\n");
    ::chmod(path.c_str(), 0640);
    ASSERT_TRUE(profile.writeInt("A", "k", 1));
    EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::all,
              std::filesystem::perms(0640));
}

TEST_F(ApplicationProfileTest, AWriteThroughALinkKeepsTheLink) {
    std::string real = dir.write("real.INI", "[A]\nk=1\n");
    std::filesystem::create_symlink(real, path);
    ASSERT_TRUE(profile.writeInt("A", "k", 2));
    EXPECT_TRUE(std::filesystem::is_symlink(path));
    EXPECT_EQ(TempDir::read(real), "[A]\nk=2\n");
}

// The old file stays whole when the new one cannot be written out: a file-size
// limit makes the write fail part-way, as a full disk would, for root as well.
TEST_F(ApplicationProfileTest, AFailedWriteLeavesTheOldFileWholeAndNoTemporaryFile) {
    std::string old = "[A]\nk=old\n";
    dir.write("qxseek.INI", old);
    EXPECT_EQ(profile.readString("A", "k", ""), "old");

    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    bool written = profile.writeString("A", "k", std::string(4096, 'n'));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    EXPECT_FALSE(written);
    EXPECT_EQ(TempDir::read(path), old);
    EXPECT_EQ(profile.readString("A", "k", ""), "old");
    int files = 0;
    for ([[maybe_unused]] auto& entry : std::filesystem::directory_iterator(dir.path()))
        ++files;
    EXPECT_EQ(files, 1);
}

TEST_F(ApplicationProfileTest, AFolderThatIsAFileFailsTheWrite) {
    dir.write("config", "not a folder");
    ApplicationProfile blocked(dir.file("config/qxseek/qxseek.INI"));
    EXPECT_FALSE(blocked.writeInt("A", "k", 1));
    EXPECT_EQ(blocked.readInt("A", "k", 5), 5);
    EXPECT_EQ(TempDir::read(dir.file("config")), "not a folder");
}

// A file that cannot be read must not be replaced by one holding only the
// newly written key.
TEST_F(ApplicationProfileTest, AnUnreadableFileIsNeverReplaced) {
    {
        std::filesystem::resize_file(dir.write("qxseek.INI", "[A]\nk=1\n"),
                                     AtomicFile::kMaxReadSize + 1);
    }
    EXPECT_EQ(profile.readInt("A", "k", 9), 9);
    EXPECT_FALSE(profile.writeInt("A", "k", 2));
    EXPECT_EQ(std::filesystem::file_size(path), AtomicFile::kMaxReadSize + 1);
}

} // namespace
} // namespace qx
