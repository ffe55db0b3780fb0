#include "ScanReference.h"
#include "TempDir.h"

#include "model/DDoc.h"
#include "model/NameCollation.h"
#include "model/RefRoot.h"
#include "model/UrlRef.h"
#include "stream/memwstream.h"
#include "stream/mwstream.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace qx {
namespace {

using test::childnames;

const char* const kUpperE = "\xC3\x89"; // É
const char* const kLowerE = "\xC3\xA9"; // é

TEST(NameCollation, FoldsLettersOfEveryScript) {
    EXPECT_EQ(collation::fold("HTTP://WWW.A.COM"), "http://www.a.com");
    EXPECT_EQ(collation::fold(std::string(kUpperE) + "COLE"), std::string(kLowerE) + "cole");
    EXPECT_EQ(collation::fold("\xD0\x9C\xD0\x98\xD0\xA0"), "\xD0\xBC\xD0\xB8\xD1\x80"); // МИР
    // Bytes that form no character stay as they are.
    EXPECT_EQ(collation::fold("A\xC3(\xFF\xE0\x80"), "a\xC3(\xFF\xE0\x80");
    // ASCII first, a zero byte inside, then letters beyond ASCII and ASCII again.
    EXPECT_EQ(collation::fold(std::string("WWW\0A.", 6) + kUpperE + "Z.COM"),
              std::string("www\0a.", 6) + kLowerE + "z.com");
    EXPECT_EQ(collation::fold(""), "");
    EXPECT_EQ(collation::comparenocase(std::string("http://") + kUpperE + ".fr",
                                       std::string("http://") + kLowerE + ".FR"),
              0);
    // Equal only when one name: the collation's ties fall to the bytes.
    EXPECT_NE(collation::compare("a", "A"), 0);
    EXPECT_EQ(collation::compare(std::string("x\0a", 3), std::string("x\0a", 3)), 0);
    EXPECT_LT(collation::compare(std::string("x\0a", 3), std::string("x\0b", 3)), 0);
}

TEST(NameCollation, HostsDifferingInCaseBeyondAsciiAreOneHost) {
    for (int type : {DDoc::HostsByName, DDoc::HostsByHost, DDoc::HostsByCount}) {
        DDoc doc;
        doc.setsortservers(type);
        UrlRef* a = doc.filedomainnode(std::string("http://") + kUpperE + "cole.fr/a");
        UrlRef* b = doc.filedomainnode(std::string("http://") + kLowerE + "COLE.fr/b");
        EXPECT_EQ(a->parent(), b->parent()) << type;
        EXPECT_EQ(doc.domainroot().count(), 1u) << type;
    }
}

// The user's collation, made for the run: systems often have only C.UTF-8
// installed, whose order is the bytes'.
class UserCollation : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = std::make_unique<test::TempDir>();
        const std::string command =
            "localedef -i en_US -f UTF-8 '" + dir_->path() + "/en_US.UTF-8' >/dev/null 2>&1";
        if (std::system(command.c_str()) == 0) {
            setenv("LOCPATH", dir_->path().c_str(), 1);
            ready_ = std::setlocale(LC_COLLATE, "en_US.UTF-8") != nullptr;
        }
    }
    static void TearDownTestSuite() {
        std::setlocale(LC_COLLATE, "C");
        unsetenv("LOCPATH");
        dir_.reset();
    }
    void SetUp() override {
        if (ready_)
            return;
        if (std::getenv("CI"))
            FAIL() << "no en_US.UTF-8 collation: localedef or the locales package is missing";
        GTEST_SKIP() << "no en_US.UTF-8 collation: localedef or the locales package is missing";
    }

    static std::unique_ptr<test::TempDir> dir_;
    static bool ready_;
};

std::unique_ptr<test::TempDir> UserCollation::dir_;
bool UserCollation::ready_ = false;

TEST_F(UserCollation, PathsAndHostsSortAsPeopleRead) {
    EXPECT_LT(collation::compare("apple", "Banana"), 0);
    EXPECT_LT(collation::compare(std::string("e"), std::string(kLowerE)), 0);
    EXPECT_LT(collation::compare(std::string(kLowerE), std::string("f")), 0);
    DDoc doc;
    UrlRef* apple = doc.filedomainnode("http://h/apple");
    doc.filedomainnode("http://h/Banana");
    doc.filedomainnode("http://h/cherry");
    EXPECT_EQ(childnames(*static_cast<Ref*>(apple->parent())), "apple,Banana,cherry");
    doc.filedomainnode("http://Zeta.org/");
    doc.filedomainnode("http://alpha.org/");
    EXPECT_EQ(childnames(doc.domainroot()), "http://alpha.org,http://h,http://Zeta.org");
}

// A list written under the bytes' order (capitals first) is out of the
// user's order; filing still finds every name it holds.
TEST_F(UserCollation, ListsWrittenUnderAnotherCollationFindTheirNames) {
    std::setlocale(LC_COLLATE, "C");
    DDoc written;
    for (const char* url : {"http://h/Banana", "http://h/apple", "http://h/Cherry", "http://h/b"})
        written.filedomainnode(url);
    ASSERT_EQ(childnames(static_cast<Ref&>(*written.domainroot().first())),
              "Banana,Cherry,apple,b");
    mwstream out(4096);
    ASSERT_EQ(written.write(out), 0);
    std::vector<char> bytes(out.buffer().data(), out.buffer().data() + out.buffer().size());
    ASSERT_NE(std::setlocale(LC_COLLATE, "en_US.UTF-8"), nullptr);

    DDoc doc;
    memwstream in(bytes.data(), static_cast<int>(bytes.size()));
    ASSERT_EQ(doc.read(in), 0);
    for (const char* url : {"http://h/Banana", "http://h/apple", "http://h/Cherry", "http://h/b"})
        EXPECT_EQ(doc.filedomainnode(url), doc.finddomainnode(url)) << url;
    doc.filedomainnode("http://h/banana");
    EXPECT_EQ(static_cast<Ref&>(*doc.domainroot().first()).count(), 5u);
}

} // namespace
} // namespace qx
