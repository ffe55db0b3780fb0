#include "search/ModuleUpdate.h"
#include "HttpTestServer.h"
#include "RecordingMessageBoxer.h"
#include "SearchRecorders.h"
#include "TempDir.h"
#include "lang/Language.h"
#include "lang/TextIds.h"
#include "platform/MessageLoop.h"
#include "search/SearchModule.h"
#include "settings/Options.h"

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <mutex>
#include <openssl/evp.h>

namespace qx::test {
namespace {

using Clock = std::chrono::steady_clock;

// An Ed25519 key pair of the test's own: its public half stands in for the
// maker's key built into the program.
class SigningKey {
public:
    SigningKey() : key_(EVP_PKEY_Q_keygen(nullptr, nullptr, "ED25519"), EVP_PKEY_free) {
        std::size_t size = publicKey_.size();
        EVP_PKEY_get_raw_public_key(key_.get(), publicKey_.data(), &size);
    }
    std::string sign(const std::string& message) const {
        std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> context(EVP_MD_CTX_new(),
                                                                        EVP_MD_CTX_free);
        std::string signature(ModuleSignature::kSignatureSize, '\0');
        std::size_t size = signature.size();
        EVP_DigestSignInit(context.get(), nullptr, nullptr, nullptr, key_.get());
        EVP_DigestSign(context.get(), reinterpret_cast<unsigned char*>(signature.data()), &size,
                       reinterpret_cast<const unsigned char*>(message.data()), message.size());
        return signature;
    }
    const ModuleSignature::PublicKey& publicKey() const { return publicKey_; }

private:
    std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)> key_;
    ModuleSignature::PublicKey publicKey_{};
};

std::string fakeModuleBytes() {
    return TempDir::read(std::string(QX_FAKE_SEARCH_DIR) + "/qsearch_fake.so");
}

HttpTestServer::Reply body(const std::string& bytes) {
    HttpTestServer::Reply reply;
    reply.body = bytes;
    reply.contentType = "application/octet-stream";
    return reply;
}

class SearchModuleUpdate : public ::testing::Test {
protected:
    void SetUp() override {
        language_ = englishlanguage();
        ASSERT_TRUE(language_);
        module_ = fakeModuleBytes();
        ASSERT_FALSE(module_.empty());
    }

    std::string file(const char* name) const { return dir_.file(name); }
    bool exists(const char* name) const { return std::filesystem::exists(file(name)); }

    ModuleUpdate::Setup setup(bool httpsOnly = false) {
        ModuleUpdate::Setup s;
        s.folder = dir_.path();
        s.pageAddress = server_.url("/page.htm");
        s.moduleAddress = server_.url("/qsearch.so");
        s.options = &options_;
        s.window = &loop_;
        s.boxes = &boxes_;
        s.language = language_.get();
        s.key = key_.publicKey();
        s.httpsOnly = httpsOnly;
        return s;
    }

    // The server keeps the first handler of a path: each path gets one that
    // answers what the test set last.
    void serve(const std::string& path, HttpTestServer::Handler handler) {
        std::lock_guard guard(lock_);
        if (!handlers_.contains(path))
            server_.on(path, [this, path](const HttpTestServer::Request& request) {
                std::lock_guard inner(lock_);
                return handlers_[path](request);
            });
        handlers_[path] = std::move(handler);
    }
    void serve(const std::string& path, const HttpTestServer::Reply& reply) {
        serve(path, [reply](const HttpTestServer::Request&) { return reply; });
    }

    // Serves a module and its signature (of the module, or of other bytes).
    void serveModule(const std::string& bytes, const std::string& signedBytes) {
        serve("/qsearch.so", body(bytes));
        serve("/qsearch.so.sig", body(key_.sign(signedBytes)));
    }

    // Starts up and forwards end messages until the downloads are over.
    std::shared_ptr<const SearchModule> run(ModuleUpdate& update) {
        loop_.setHandler(
            [&](platform::MessageId msg, platform::WParam wparam, platform::LParam lparam) {
                EXPECT_TRUE(update.HandleMessage(msg, wparam, lparam));
            });
        std::shared_ptr<const SearchModule> module = update.StartUp();
        const auto deadline = Clock::now() + std::chrono::seconds(20);
        while (update.Downloading() && Clock::now() < deadline)
            loop_.runFor(10);
        EXPECT_FALSE(update.Downloading());
        return module;
    }

    std::string text(unsigned id) const { return language_->text(id); }
    std::vector<std::string> shown() const {
        std::vector<std::string> texts;
        for (const RecordingMessageBoxer::Box& box : boxes_.boxes())
            texts.push_back(box.text);
        return texts;
    }

    TempDir dir_;
    std::mutex lock_;
    std::map<std::string, HttpTestServer::Handler> handlers_; // guarded by lock_
    HttpTestServer server_;
    Options options_;
    platform::MessageLoop loop_;
    RecordingMessageBoxer boxes_;
    std::unique_ptr<Language> language_;
    SigningKey key_;
    std::string module_;
};

constexpr const char* kOldPage = "the module page as it was last time";
constexpr const char* kNewPage = "the module page with a new version on it";

TEST_F(SearchModuleUpdate, AnUnchangedPageOffersNothingAndIsNotKept) {
    dir_.write("qsearch.htm", kOldPage);
    serve("/page.htm", [](const HttpTestServer::Request& request) {
        HttpTestServer::Reply reply = body(kOldPage);
        if (request.hasHeader("If-Modified-Since"))
            reply.status = 304;
        return reply;
    });
    {
        ModuleUpdate update(setup());
        run(update);
    }
    EXPECT_TRUE(server_.requests().back().hasHeader("If-Modified-Since"));
    serve("/page.htm", body(kOldPage));
    {
        ModuleUpdate update(setup());
        run(update);
    }
    EXPECT_TRUE(boxes_.boxes().empty());
    EXPECT_FALSE(exists("qsearch2.htm"));
    EXPECT_EQ(TempDir::read(file("qsearch.htm")), kOldPage);
    EXPECT_EQ(server_.requests().size(), 2u);
}

TEST_F(SearchModuleUpdate, YesDownloadsTheSignedModuleAndTheNextStartInstallsIt) {
    dir_.write("qsearch.htm", kOldPage);
    serve("/page.htm", body(kNewPage));
    serveModule(module_, module_);
    boxes_.answerNext(mb::IdYes);
    {
        ModuleUpdate update(setup());
        EXPECT_FALSE(run(update)); // no module yet
    }
    EXPECT_EQ(shown(),
              (std::vector<std::string>{text(text::ModuleOffer), text(text::ModuleDownloaded)}));
    EXPECT_EQ(boxes_.boxes()[0].style & mb::ButtonMask, mb::YesNo);
    EXPECT_EQ(boxes_.boxes()[0].caption, text(text::AppTitle));
    EXPECT_EQ(TempDir::read(file("qsearch.htm")), kNewPage);
    EXPECT_EQ(TempDir::read(file("qsearch2.so")), module_);
    EXPECT_TRUE(exists("qsearch2.so.sig"));
    EXPECT_FALSE(exists("qsearch1.so"));
    EXPECT_FALSE(exists("qsearch1.so.sig"));

    ModuleUpdate next(setup());
    const std::shared_ptr<const SearchModule> loaded = run(next);
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(loaded->entry());
    EXPECT_EQ(TempDir::read(file("qsearch.so")), module_);
    EXPECT_EQ(TempDir::read(file("qsearch.so.sig")), key_.sign(module_));
    EXPECT_FALSE(exists("qsearch2.so"));
    EXPECT_FALSE(exists("qsearch2.so.sig"));
    EXPECT_EQ(boxes_.boxes().size(), 2u); // the page is the same now
}

TEST_F(SearchModuleUpdate, NoKeepsTheOldModuleAndTheNewPage) {
    dir_.write("qsearch.htm", kOldPage);
    dir_.write("qsearch.so", "the old module");
    serve("/page.htm", body(kNewPage));
    serveModule(module_, module_);
    boxes_.answerNext(mb::IdNo);
    ModuleUpdate update(setup());
    run(update);
    EXPECT_EQ(shown(), std::vector<std::string>{text(text::ModuleOffer)});
    EXPECT_EQ(TempDir::read(file("qsearch.htm")), kNewPage);
    EXPECT_EQ(TempDir::read(file("qsearch.so")), "the old module");
    EXPECT_FALSE(exists("qsearch1.so"));
    EXPECT_EQ(server_.requests().size(), 1u);
}

TEST_F(SearchModuleUpdate, AModuleWhoseSignatureFailsIsDeletedWith9291) {
    serve("/page.htm", body(kNewPage));
    serveModule(module_, "some other bytes");
    boxes_.answerNext(mb::IdYes);
    {
        ModuleUpdate update(setup());
        run(update);
    }
    serve("/page.htm", body(kOldPage));
    serve("/qsearch.so.sig", body("short"));
    boxes_.answerNext(mb::IdYes);
    {
        ModuleUpdate update(setup());
        run(update);
    }
    HttpTestServer::Reply missing;
    missing.status = 404;
    serve("/page.htm", body(kNewPage));
    serve("/qsearch.so.sig", missing);
    boxes_.answerNext(mb::IdYes);
    {
        ModuleUpdate update(setup());
        run(update);
    }
    const std::string offer = text(text::ModuleOffer);
    const std::string failed = text(text::ModuleDownloadFailed);
    EXPECT_EQ(shown(), (std::vector<std::string>{offer, failed, offer, failed, offer, failed}));
    for (const char* name : {"qsearch1.so", "qsearch1.so.sig", "qsearch2.so", "qsearch2.so.sig"})
        EXPECT_FALSE(exists(name)) << name;
}

TEST_F(SearchModuleUpdate, AWaitingModuleIsVerifiedAgainBeforeItIsInstalled) {
    dir_.write("qsearch.so", "the old module");
    dir_.write("qsearch2.so", module_ + "tampered after the download");
    dir_.write("qsearch2.so.sig", key_.sign(module_));
    ModuleUpdate update(setup());
    EXPECT_FALSE(run(update));
    EXPECT_EQ(shown(), std::vector<std::string>{text(text::ModuleDownloadFailed)});
    EXPECT_EQ(TempDir::read(file("qsearch.so")), "the old module");
    EXPECT_FALSE(exists("qsearch2.so"));
    EXPECT_FALSE(exists("qsearch2.so.sig"));
}

TEST_F(SearchModuleUpdate, AModuleNotNewerThanTheOneInUseSays9290) {
    dir_.write("qsearch.so", module_);
    serve("/page.htm", body(kNewPage));
    serve("/qsearch.so", [](const HttpTestServer::Request& request) {
        HttpTestServer::Reply reply = body("not sent");
        if (request.hasHeader("If-Modified-Since"))
            reply.status = 304;
        return reply;
    });
    boxes_.answerNext(mb::IdYes);
    ModuleUpdate update(setup());
    run(update);
    EXPECT_EQ(shown(),
              (std::vector<std::string>{text(text::ModuleOffer), text(text::ModuleUpToDate)}));
    EXPECT_FALSE(exists("qsearch1.so"));
    EXPECT_EQ(TempDir::read(file("qsearch.so")), module_);
}

TEST_F(SearchModuleUpdate, OnlyHttpsAddressesAreUsed) {
    serve("/page.htm", body(kNewPage));
    ModuleUpdate update(setup(true));
    run(update);
    EXPECT_EQ(shown(), std::vector<std::string>{text(text::ModuleAddressNotHttps)});
    EXPECT_TRUE(server_.requests().empty());

    ModuleUpdate::Setup empty = setup(true);
    empty.pageAddress.clear();
    ModuleUpdate unset(std::move(empty));
    run(unset);
    EXPECT_EQ(boxes_.boxes().size(), 1u); // no address, no check, nothing said
}

TEST_F(SearchModuleUpdate, APageOverItsCapIsDroppedSilently) {
    dir_.write("qsearch.htm", kOldPage);
    HttpTestServer::Reply huge;
    huge.generatedBytes = ModuleUpdate::kPageLimit + 1;
    serve("/page.htm", huge);
    ModuleUpdate update(setup());
    run(update);
    EXPECT_TRUE(boxes_.boxes().empty());
    EXPECT_FALSE(exists("qsearch2.htm"));
    EXPECT_EQ(TempDir::read(file("qsearch.htm")), kOldPage);
}

TEST_F(SearchModuleUpdate, CleanUpDuringTheModuleDownloadForgetsThePage) {
    dir_.write("qsearch.htm", kOldPage);
    serve("/page.htm", body(kNewPage));
    HttpTestServer::Reply slow = body(module_);
    slow.delayMs = 20'000;
    serve("/qsearch.so", slow);
    boxes_.answerNext(mb::IdYes);
    {
        ModuleUpdate update(setup());
        loop_.setHandler(
            [&](platform::MessageId msg, platform::WParam wparam, platform::LParam lparam) {
                update.HandleMessage(msg, wparam, lparam);
            });
        update.StartUp();
        const auto deadline = Clock::now() + std::chrono::seconds(10);
        while (server_.requests().size() < 2 && Clock::now() < deadline)
            loop_.runFor(10);
        ASSERT_EQ(server_.requests().size(), 2u);
        EXPECT_TRUE(update.Downloading());
    }
    EXPECT_FALSE(exists("qsearch.htm"));
    EXPECT_FALSE(exists("qsearch2.so"));
}

TEST(SearchModuleSignature, OnlyTheKeysSignatureOfTheWholeFileVerifies) {
    TempDir dir;
    const SigningKey key;
    const SigningKey other;
    const std::string module = dir.write("m", "module bytes");
    const std::string good = dir.write("good", key.sign("module bytes"));
    const std::string prefix = dir.write("prefix", key.sign("module"));
    const std::string cut = dir.write("cut", key.sign("module bytes").substr(0, 63));
    EXPECT_TRUE(ModuleSignature::verify(module, good, key.publicKey(), 100));
    EXPECT_FALSE(ModuleSignature::verify(module, good, other.publicKey(), 100));
    EXPECT_FALSE(ModuleSignature::verify(module, prefix, key.publicKey(), 100));
    EXPECT_FALSE(ModuleSignature::verify(module, cut, key.publicKey(), 100));
    EXPECT_FALSE(ModuleSignature::verify(module, good, key.publicKey(), 11)); // over the cap
    EXPECT_FALSE(ModuleSignature::verify(dir.file("missing"), good, key.publicKey(), 100));
    // The maker's key is not the test's.
    EXPECT_FALSE(ModuleSignature::verify(module, good, ModuleSignature::builtInKey(), 100));
}

} // namespace
} // namespace qx::test
