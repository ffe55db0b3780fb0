#include "FileSizeLimit.h"
#include "TempDir.h"

#include "model/Container.h"
#include "model/DDoc.h"
#include "model/DocumentFile.h"
#include "model/DocumentFormat.h"
#include "model/RefRoot.h"
#include "platform/SystemError.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace qx {
namespace {

namespace fs = std::filesystem;

std::size_t entries(const std::string& folder) {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder)) {
        ++n;
    }
    return n;
}

void fill(DDoc& doc, int pages) {
    for (int i = 0; i < pages; ++i) {
        doc.filedomainnode("http://host/page" + std::to_string(i));
    }
}

TEST(DocumentFile, SavesAndLoads) {
    test::TempDir dir;
    DDoc doc;
    fill(doc, 3);
    const std::string path = dir.file("a.qxo");
    ASSERT_EQ(saveDocument(path, doc), 0);
    EXPECT_EQ(entries(dir.path()), 1u);
    DDoc back;
    ASSERT_EQ(loadDocument(path, back), 0);
    EXPECT_EQ(back.container().count(), doc.container().count());
    EXPECT_EQ(back.domainroot().count(), 1u);
}

TEST(DocumentFile, LoadFailuresSayWhy) {
    test::TempDir dir;
    DDoc doc;
    EXPECT_EQ(loadDocument(dir.file("missing.qxo"), doc), kDocumentFileFailed);
    EXPECT_EQ(platform::lastError(), platform::err::FileNotFound);
    EXPECT_EQ(loadDocument(dir.path(), doc), kDocumentFileFailed);
    EXPECT_EQ(loadDocument(dir.write("text.qxo", "hello"), doc), DocumentFormat::NotDocument);
}

TEST(DocumentFile, FailedSaveLeavesTheOldFileAsItWas) {
    test::TempDir dir;
    DDoc small;
    const std::string path = dir.file("a.qxo");
    ASSERT_EQ(saveDocument(path, small), 0);
    const std::string before = test::TempDir::read(path);

    DDoc large;
    fill(large, 2000);
    {
        test::FileSizeLimit limit(4096);
        EXPECT_EQ(saveDocument(path, large), kDocumentFileFailed);
    }
    EXPECT_NE(platform::lastError(), platform::err::Success);
    EXPECT_EQ(test::TempDir::read(path), before);
    EXPECT_EQ(entries(dir.path()), 1u) << "a temporary file was left behind";

    // A folder where the file's folder should be.
    dir.write("plain", "x");
    EXPECT_EQ(saveDocument(dir.file("plain/b.qxo"), small), kDocumentFileFailed);
    EXPECT_EQ(saveDocument(dir.path(), small), kDocumentFileFailed);
}

TEST(DocumentFile, SavingKeepsLinksAndPermissions) {
    test::TempDir dir;
    DDoc doc;
    const std::string real = dir.file("real.qxo");
    const std::string link = dir.file("link.qxo");
    ASSERT_EQ(saveDocument(real, doc), 0);
    ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
    ASSERT_EQ(::symlink("real.qxo", link.c_str()), 0);

    fill(doc, 1);
    ASSERT_EQ(saveDocument(link, doc), 0);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    DDoc back;
    ASSERT_EQ(loadDocument(real, back), 0);
    EXPECT_EQ(back.domainroot().count(), 1u);
}

} // namespace
} // namespace qx
