#include "DocumentBytes.h"
#include "FileSizeLimit.h"
#include "TempDir.h"

#include "model/Container.h"
#include "model/DDoc.h"
#include "model/DocumentBackups.h"
#include "model/DocumentFile.h"
#include "model/DocumentFormat.h"
#include "model/DocumentKey.h"
#include "model/RecoveryFiles.h"
#include "model/RecoveryWriter.h"
#include "model/RefRoot.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace qx {
namespace {

namespace fs = std::filesystem;

// Every name in a folder, temporary files included.
std::vector<std::string> names(const std::string& folder) {
    std::vector<std::string> found;
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(folder, ignored))
        found.push_back(entry.path().filename().string());
    std::sort(found.begin(), found.end());
    return found;
}

void fill(DDoc& doc, int pages) {
    for (int i = 0; i < pages; ++i)
        doc.filedomainnode("http://host/page" + std::to_string(i));
}

constexpr std::int64_t kNoon = 1765281600000; // a day in December 2025, ms

TEST(DocumentKey, NameAndAShortHashOfTheFullPath) {
    EXPECT_EQ(documentKey("/a/links.qxo").rfind("links-", 0), 0u);
    EXPECT_EQ(documentKey("/a/links.qxo").size(), 6u + 8u);
    EXPECT_NE(documentKey("/a/links.qxo"), documentKey("/b/links.qxo"));
    EXPECT_EQ(documentKey("/a/links.qxo"), documentKey("/a/links.qxo"));
    EXPECT_EQ(documentKey("/a/.qxo").rfind(".qxo-", 0), 0u);
    EXPECT_EQ(documentKey("").rfind("untitled-", 0), 0u);
}

TEST(DocumentBackups, KeepTheFileAsItWasAndOnlyTheNewest) {
    test::TempDir data;
    test::TempDir docs;
    const std::string doc = docs.write("links.qxo", "v0");
    DocumentBackups backups(data.path(), doc);
    EXPECT_TRUE(backups.list().empty());
    for (int i = 0; i < 5; ++i) {
        docs.write("links.qxo", "v" + std::to_string(i));
        ASSERT_EQ(backups.keepCopy(kNoon + i * 60000), 0u);
    }
    EXPECT_EQ(backups.folder(), data.path() + "/qxseek/backups/" + documentKey(doc));
    const std::vector<std::string> kept = backups.list();
    ASSERT_EQ(kept.size(), 3u);
    EXPECT_EQ(test::TempDir::read(kept[0]), "v4");
    EXPECT_EQ(test::TempDir::read(kept[2]), "v2");
    EXPECT_NE(kept[0].find("2025-12-"), std::string::npos) << kept[0];
    EXPECT_EQ(names(backups.folder()).size(), 3u);

    // Two keepings in one millisecond both stay.
    ASSERT_EQ(backups.keepCopy(kNoon + 4 * 60000), 0u);
    EXPECT_EQ(test::TempDir::read(backups.list()[0]), "v4");
    EXPECT_EQ(test::TempDir::read(backups.list()[1]), "v4");

    // Another document of the same name has backups of its own.
    test::TempDir otherdocs;
    const std::string other = otherdocs.write("links.qxo", "other");
    DocumentBackups elsewhere(data.path(), other, 1);
    ASSERT_EQ(elsewhere.keepCopy(kNoon), 0u);
    EXPECT_EQ(elsewhere.list().size(), 1u);
    EXPECT_EQ(backups.list().size(), 3u);
}

TEST(DocumentBackups, NothingToKeepIsNoFailure) {
    test::TempDir data;
    DocumentBackups never(data.path(), data.file("never-saved.qxo"));
    EXPECT_EQ(never.keepCopy(kNoon), 0u);
    DocumentBackups none(data.path(), data.write("a.qxo", "x"), 0);
    EXPECT_EQ(none.keepCopy(kNoon), 0u);
    EXPECT_FALSE(fs::exists(data.file("qxseek")));
}

TEST(DocumentBackups, FailuresLeaveTheDocumentAndNoPartialCopy) {
    test::TempDir data;
    test::TempDir docs;
    const std::string big(200000, 'b');
    const std::string doc = docs.write("a.qxo", big);
    DocumentBackups backups(data.path(), doc);
    docs.write("a.qxo", "small");
    ASSERT_EQ(backups.keepCopy(kNoon), 0u);
    docs.write("a.qxo", big);
    {
        test::FileSizeLimit full(4096);
        EXPECT_NE(backups.keepCopy(kNoon + 1000), 0u);
    }
    EXPECT_EQ(names(backups.folder()).size(), 1u) << "a partial copy was left";
    EXPECT_EQ(test::TempDir::read(backups.list()[0]), "small");
    EXPECT_EQ(test::TempDir::read(doc), big);

    // A file where the backups folder should be.
    test::TempDir blocked;
    blocked.write("qxseek", "not a folder");
    DocumentBackups nowhere(blocked.path(), doc);
    EXPECT_NE(nowhere.keepCopy(kNoon), 0u);
    EXPECT_TRUE(nowhere.list().empty());
    EXPECT_EQ(test::TempDir::read(doc), big);
}

TEST(RecoveryFiles, ASnapshotWrittenListedRestoredAndRemoved) {
    test::TempDir data;
    RecoveryFiles files(data.path());
    EXPECT_TRUE(files.list().empty());
    DDoc doc;
    fill(doc, 3);
    RecoverySnapshot snapshot;
    ASSERT_TRUE(RecoverySnapshot::take(doc, "/home/me/links.qxo", snapshot));
    ASSERT_EQ(files.write(snapshot), 0u);
    const std::vector<RecoveryFiles::Entry> entries = files.list();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].document, "/home/me/links.qxo");
    EXPECT_EQ(entries[0].file, files.fileFor("/home/me/links.qxo"));
    DDoc back;
    ASSERT_EQ(loadDocument(entries[0].file, back), 0);
    EXPECT_EQ(back.domainroot().count(), 1u);
    EXPECT_EQ(back.container().count(), doc.container().count());

    files.remove("/home/me/links.qxo");
    EXPECT_TRUE(files.list().empty());
    EXPECT_TRUE(names(files.folder()).empty());
}

TEST(RecoveryFiles, AFullDiskKeepsTheEarlierRecoveryFileAndLeavesNoTemporaryFile) {
    test::TempDir data;
    RecoveryFiles files(data.path());
    DDoc doc;
    RecoverySnapshot small;
    ASSERT_TRUE(RecoverySnapshot::take(doc, "/d/a.qxo", small));
    ASSERT_EQ(files.write(small), 0u);
    fill(doc, 3000);
    RecoverySnapshot large;
    ASSERT_TRUE(RecoverySnapshot::take(doc, "/d/a.qxo", large));
    {
        test::FileSizeLimit full(4096);
        EXPECT_NE(files.write(large), 0u);
    }
    EXPECT_EQ(names(files.folder()),
              (std::vector<std::string>{documentKey("/d/a.qxo") + ".qxo",
                                        documentKey("/d/a.qxo") + ".qxo.path"}));
    EXPECT_EQ(test::TempDir::read(files.fileFor("/d/a.qxo")), small.bytes);

    test::TempDir blocked;
    blocked.write("qxseek", "not a folder");
    EXPECT_NE(RecoveryFiles(blocked.path()).write(small), 0u);
}

TEST(RecoveryFiles, DamagedRecoveryFilesGiveAClearResult) {
    test::TempDir data;
    RecoveryFiles files(data.path());
    DDoc doc;
    fill(doc, 20);
    RecoverySnapshot snapshot;
    ASSERT_TRUE(RecoverySnapshot::take(doc, "/d/a.qxo", snapshot));
    snapshot.bytes.resize(snapshot.bytes.size() / 2);
    ASSERT_EQ(files.write(snapshot), 0u);
    snapshot.document = "/d/b.qxo";
    snapshot.bytes = test::DocumentBytes().header(99).u16(0).str();
    ASSERT_EQ(files.write(snapshot), 0u);
    // A path file that does not hold one path.
    fs::remove(files.fileFor("/d/c.qxo") + ".path");
    data.write("qxseek/recovery/" + documentKey("/d/c.qxo") + ".qxo", "x");
    data.write("qxseek/recovery/" + documentKey("/d/c.qxo") + ".qxo.path", "a\nb\n");
    data.write("qxseek/recovery/orphan.qxo", "x");

    std::vector<RecoveryFiles::Entry> entries = files.list();
    ASSERT_EQ(entries.size(), 4u);
    int unknown = 0;
    for (const RecoveryFiles::Entry& entry : entries) {
        DDoc back;
        EXPECT_NE(loadDocument(entry.file, back), 0) << entry.file;
        unknown += entry.document.empty();
        if (entry.document == "/d/b.qxo") {
            DDoc newer;
            EXPECT_EQ(loadDocument(entry.file, newer), DocumentFormat::BadVersion);
        }
    }
    EXPECT_EQ(unknown, 2);
}

TEST(RecoveryFiles, UntitledDocumentsHaveNamesOfTheirOwnAndUnreadableOnesAreSetAside) {
    const std::string first = RecoveryFiles::untitledName(100, 1);
    EXPECT_TRUE(RecoveryFiles::isUntitled(first));
    EXPECT_FALSE(RecoveryFiles::isUntitled("/home/me/untitled.qxo"));
    test::TempDir data;
    RecoveryFiles files(data.path());
    // Another opening, or the same opening in another process: another file.
    for (const std::string& other :
         {RecoveryFiles::untitledName(100, 2), RecoveryFiles::untitledName(101, 1)})
        EXPECT_NE(files.fileFor(first), files.fileFor(other));

    DDoc doc;
    RecoverySnapshot snapshot;
    ASSERT_TRUE(RecoverySnapshot::take(doc, first, snapshot));
    ASSERT_EQ(files.write(snapshot), 0u);
    std::vector<RecoveryFiles::Entry> entries = files.list();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].document, first);
    files.setAside(entries[0]);
    EXPECT_TRUE(files.list().empty());
    const std::string stem = documentKey(first) + ".qxo.unreadable";
    EXPECT_EQ(names(files.folder()), (std::vector<std::string>{stem, stem + ".path"}));
}

TEST(RecoveryWriter, WritesTheLatestSnapshotInOrderWithRemovals) {
    test::TempDir data;
    RecoveryFiles files(data.path());
    {
        RecoveryWriter writer(files);
        DDoc doc;
        for (int i = 0; i < 20; ++i) {
            fill(doc, 1 + i);
            RecoverySnapshot snapshot;
            ASSERT_TRUE(RecoverySnapshot::take(doc, "/d/a.qxo", snapshot));
            writer.post(std::move(snapshot));
        }
        EXPECT_EQ(writer.wait(), 0u);
        DDoc back;
        ASSERT_EQ(loadDocument(files.fileFor("/d/a.qxo"), back), 0);
        EXPECT_EQ(back.container().count(), doc.container().count());

        // A snapshot posted after a removal is not removed by it.
        writer.discard("/d/a.qxo");
        RecoverySnapshot again;
        ASSERT_TRUE(RecoverySnapshot::take(doc, "/d/a.qxo", again));
        writer.post(again);
        writer.post(std::move(again));
        writer.discard("/d/b.qxo");
        EXPECT_EQ(writer.wait(), 0u);
        EXPECT_EQ(files.list().size(), 1u);
        writer.discard("/d/a.qxo");
        RecoverySnapshot last;
        ASSERT_TRUE(RecoverySnapshot::take(doc, "/d/c.qxo", last));
        writer.post(std::move(last));
    }
    // The writer finished what was posted before it went.
    ASSERT_EQ(files.list().size(), 1u);
    EXPECT_EQ(files.list()[0].document, "/d/c.qxo");

    test::TempDir blocked;
    blocked.write("qxseek", "not a folder");
    RecoveryWriter failing{RecoveryFiles(blocked.path())};
    failing.post(RecoverySnapshot{"/d/a.qxo", "bytes"});
    EXPECT_NE(failing.wait(), 0u);
    EXPECT_EQ(failing.wait(), 0u);
}

} // namespace
} // namespace qx
