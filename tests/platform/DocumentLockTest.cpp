#include "TempDir.h"

#include "platform/DocumentLock.h"
#include "platform/FileSystem.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

namespace qx::platform {
namespace {

using State = DocumentLock::State;

TEST(DocumentLock, OneHolderAtATimeAndTheSecondIsToldWho) {
    test::TempDir dir;
    const std::string doc = dir.write("a.qxo", "x");
    DocumentLock first;
    ASSERT_EQ(first.acquire(doc), State::Held);
    const std::string line = test::TempDir::read(DocumentLock::pathFor(doc));
    EXPECT_EQ(line, DocumentLock::self().line().substr(0, line.size()));
    EXPECT_EQ(LockOwner::parse(line).pid, processId());

    DocumentLock second;
    EXPECT_EQ(second.acquire(doc), State::Busy);
    EXPECT_FALSE(second.held());
    EXPECT_EQ(second.owner().pid, processId());
    EXPECT_NE(second.owner().describe().find("process " + std::to_string(processId())),
              std::string::npos);
    // Forcing does not take a lock that a live process holds.
    EXPECT_EQ(second.acquire(doc, true), State::Busy);

    first.release();
    EXPECT_FALSE(std::filesystem::exists(DocumentLock::pathFor(doc)));
    EXPECT_EQ(second.acquire(doc), State::Held);
}

TEST(DocumentLock, ALockLeftByAKilledProcessIsTakenOverSilently) {
    test::TempDir dir;
    const std::string doc = dir.write("a.qxo", "x");
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        DocumentLock lock;
        const char state = lock.acquire(doc) == State::Held ? 'y' : 'n';
        (void)!::write(ready[1], &state, 1);
        ::pause();
        ::_exit(0);
    }
    char state = 0;
    ASSERT_EQ(::read(ready[0], &state, 1), 1);
    ASSERT_EQ(state, 'y');
    DocumentLock mine;
    EXPECT_EQ(mine.acquire(doc), State::Busy);
    EXPECT_EQ(mine.owner().pid, static_cast<std::uint32_t>(child));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    ::close(ready[0]);
    ::close(ready[1]);
    ASSERT_TRUE(std::filesystem::exists(DocumentLock::pathFor(doc)));
    EXPECT_EQ(mine.acquire(doc), State::Held);
    EXPECT_EQ(LockOwner::parse(test::TempDir::read(DocumentLock::pathFor(doc))).pid, processId());
}

TEST(DocumentLock, GarbageIsTakenOverAndAnotherHostIsAskedFor) {
    test::TempDir dir;
    const std::string doc = dir.write("a.qxo", "x");
    const std::string lockpath = DocumentLock::pathFor(doc);
    for (const char* garbage : {"", "\n", "no newline", "h u 12\n", "h u x12 t\n", "h u 0 t\n",
                                "h  u 1 t\n", "h u 1 t extra\n", "\xff\xfe\x00\x01\n"}) {
        dir.write("a.qxo.lock", garbage);
        DocumentLock lock;
        EXPECT_EQ(lock.acquire(doc), State::Held) << garbage;
    }
    LockOwner other = DocumentLock::self();
    other.host = "elsewhere.example";
    other.pid = 4242;
    dir.write("a.qxo.lock", other.line());
    DocumentLock lock;
    EXPECT_EQ(lock.acquire(doc), State::OtherHost);
    EXPECT_EQ(lock.owner().host, "elsewhere.example");
    EXPECT_EQ(test::TempDir::read(lockpath), other.line());
    EXPECT_EQ(lock.acquire(doc, true), State::Held);
    EXPECT_EQ(LockOwner::parse(test::TempDir::read(lockpath)).host, DocumentLock::self().host);
}

TEST(DocumentLock, WhereNoLockFileCanBeMadeTheDocumentIsUnprotected) {
    test::TempDir dir;
    const std::string doc = dir.write("a.qxo", "x");
    std::filesystem::create_directory(DocumentLock::pathFor(doc));
    DocumentLock lock;
    EXPECT_EQ(lock.acquire(doc), State::Unprotected);
    EXPECT_NE(lock.error(), 0u);
    EXPECT_EQ(lock.acquire(dir.file("missing/b.qxo")), State::Unprotected);
    std::filesystem::create_symlink(dir.file("elsewhere"), dir.file("c.qxo.lock"));
    EXPECT_EQ(lock.acquire(dir.file("c.qxo")), State::Unprotected);
    EXPECT_FALSE(std::filesystem::exists(dir.file("elsewhere")));
}

TEST(DocumentLock, ReleaseLeavesALockFileThatIsNotItsOwn) {
    test::TempDir dir;
    const std::string doc = dir.write("a.qxo", "x");
    const std::string lockpath = DocumentLock::pathFor(doc);
    DocumentLock lock;
    ASSERT_EQ(lock.acquire(doc), State::Held);
    std::filesystem::remove(lockpath);
    dir.write("a.qxo.lock", "someone else's\n");
    lock.release();
    EXPECT_EQ(test::TempDir::read(lockpath), "someone else's\n");
}

TEST(DocumentLock, TheLockFollowsALinkToTheDocument) {
    test::TempDir dir;
    const std::string doc = dir.write("a.qxo", "x");
    std::filesystem::create_symlink(doc, dir.file("link.qxo"));
    DocumentLock first;
    ASSERT_EQ(first.acquire(dir.file("link.qxo")), State::Held);
    DocumentLock second;
    EXPECT_EQ(second.acquire(doc), State::Busy);
}

} // namespace
} // namespace qx::platform
