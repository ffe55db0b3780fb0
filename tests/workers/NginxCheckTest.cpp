#include "CheckFixture.h"
#include "NginxServer.h"
#include "model/RefRoot.h"
#include "model/SearchRef.h"

#include <cstdlib>

namespace qx::test {

namespace {

constexpr long kFileTime = 1700000000;

} // namespace

// Checks through the real scheduler against Debian's nginx: the answers a
// real server gives to our conditional requests.
class NginxChecks : public CheckFixture {
protected:
    void SetUp() override {
        if (!language_)
            GTEST_SKIP() << "no language module in QX_PROGRAM_DIR";
        if (!NginxServer::Available()) {
            if (std::getenv("CI"))
                FAIL() << NginxServer::kBinary << " is missing (install nginx-light)";
            GTEST_SKIP() << NginxServer::kBinary << " is missing (install nginx-light)";
        }
        nginx_ = std::make_unique<NginxServer>();
        ASSERT_TRUE(nginx_->Running());
        nginx_->Put("/index.html", "<html>index</html>", kFileTime);
        nginx_->Put("/page.html", "<html>page</html>", kFileTime);
    }
    std::unique_ptr<NginxServer> nginx_;
};

TEST_F(NginxChecks, ConditionalAnswersAndFailures) {
    SearchRef& search = doc_.createsearch(Str("q"), doc_.orgroot(), nullptr);
    const std::string at = nginx_->Url("/index.html");
    const std::string after = nginx_->Url("/index.html?after");
    const std::string equal = nginx_->Url("/page.html?equal");
    const std::string earlier = nginx_->Url("/page.html?earlier");
    const std::string undated = nginx_->Url("/page.html?undated");
    const std::string missing = nginx_->Url("/missing.html");
    const std::string moved = nginx_->Url("/moved");
    const std::string fails = nginx_->Url("/fails");
    // nginx answers 304 for an If-Modified-Since at or after the file's time
    // only when it is exactly the file's time; any other date gets 200 with
    // Last-Modified, judged against the stored date.
    AddReference(at, kFileTime);
    AddReference(after, kFileTime + 60);
    AddReference(equal, kFileTime);
    AddReference(earlier, kFileTime - 1);
    AddReference(undated);
    AddReference(missing, kFileTime, &search);
    AddReference(moved, kFileTime);
    AddReference(fails, kFileTime);

    checker_->CheckSubtree(doc_.orgroot());
    ASSERT_TRUE(RunChecks());

    EXPECT_EQ(StateOf(at), Ref::CheckUnchanged);
    EXPECT_EQ(StateOf(after), Ref::CheckUnchanged);
    EXPECT_EQ(StateOf(equal), Ref::CheckUnchanged);
    EXPECT_EQ(StateOf(earlier), Ref::CheckChanged);
    EXPECT_EQ(StateOf(undated), Ref::CheckChanged);
    EXPECT_EQ(StateOf(missing), Ref::CheckNotFound);
    EXPECT_EQ(StateOf(moved), Ref::CheckUnchanged);
    EXPECT_EQ(StateOf(fails), Ref::CheckError);
    EXPECT_EQ(search.searchprop().broken, 1u);
    EXPECT_EQ(PropsOf(earlier).size, 17u);
    EXPECT_EQ(PropsOf(fails).status.view(), language_->text(10620));
    EXPECT_EQ(PropsOf(missing).status.view(), language_->text(10524));

    // A second run: the 404 is not counted again.
    checker_->CheckSubtree(doc_.orgroot());
    ASSERT_TRUE(RunChecks());
    EXPECT_EQ(search.searchprop().broken, 1u);
}

} // namespace qx::test
