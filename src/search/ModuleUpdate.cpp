#include "search/ModuleUpdate.h"

#include "lang/Language.h"
#include "lang/MessageBoxer.h"
#include "lang/TextIds.h"
#include "search/SearchModule.h"
#include "workers/GetFileThread.h"
#include "workers/ThreadMessages.h"

#include <cstdio>
#include <filesystem>
#include <strings.h>
#include <system_error>

namespace qx {

namespace {

constexpr int kFirstWaitMs = 1000;
constexpr int kSecondWaitMs = 5000;
constexpr int kNotModified = GetFileThread::kNotModified;
// What a worker that would not end counts as.
constexpr int kNoEnd = -1;
// What a download that left https on some hop counts as.
constexpr int kLeftHttps = -4;

void removeFile(const std::string& path) {
    std::remove(path.c_str());
}

bool isRegularFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

// Files that cannot both be read count as different.
bool sameBytes(const std::string& a, const std::string& b) {
    std::string first;
    std::string second;
    return readFileBytes(a, ModuleUpdate::kPageLimit, first) &&
           readFileBytes(b, ModuleUpdate::kPageLimit, second) && first == second;
}

} // namespace

void ModuleUpdate::ReleaseWorker::operator()(GetFileThread* worker) const {
    worker->Release();
}

ModuleUpdate::ModuleUpdate(Setup setup) : setup_(std::move(setup)) {}

ModuleUpdate::~ModuleUpdate() {
    CleanUp();
}

std::string ModuleUpdate::Path(const char* name) const {
    return setup_.folder + "/" + name;
}

bool ModuleUpdate::Refused(const std::string& address) const {
    static constexpr char kHttps[] = "https://";
    return setup_.httpsOnly && (address.size() < sizeof kHttps - 1 ||
                                strncasecmp(address.c_str(), kHttps, sizeof kHttps - 1) != 0);
}

void ModuleUpdate::Show(unsigned textId, unsigned style) const {
    setup_.boxes->show(setup_.language->text(textId), setup_.language->text(text::AppTitle), style);
}

std::shared_ptr<const SearchModule> ModuleUpdate::StartUp() {
    InstallWaitingModule();
    std::shared_ptr<const SearchModule> module = SearchModule::load(Path(kModuleFile));
    if (setup_.pageAddress.empty() || setup_.moduleAddress.empty())
        return module;
    if (Refused(setup_.pageAddress) || Refused(setup_.moduleAddress)) {
        Show(text::ModuleAddressNotHttps, mb::Ok | mb::IconExclamation);
        return module;
    }
    worker_ =
        StartDownload(setup_.pageAddress, Path(kPageDownloadFile), Path(kPageFile), kPageLimit);
    if (worker_)
        stage_ = Stage::Page;
    return module;
}

void ModuleUpdate::InstallWaitingModule() const {
    const std::string waiting = Path(kWaitingFile);
    if (!isRegularFile(waiting))
        return;
    const std::string waitingSignature = waiting + kSignatureSuffix;
    if (!ModuleSignature::verify(waiting, waitingSignature, setup_.key, kModuleLimit)) {
        removeFile(waiting);
        removeFile(waitingSignature);
        Show(text::ModuleDownloadFailed, mb::Ok | mb::IconExclamation);
        return;
    }
    // A rename replaces the module in one step; a failed one leaves the
    // waiting module for the next start.
    const std::string module = Path(kModuleFile);
    if (std::rename(waiting.c_str(), module.c_str()) == 0)
        std::rename(waitingSignature.c_str(), (module + kSignatureSuffix).c_str());
}

ModuleUpdate::Worker ModuleUpdate::StartDownload(const std::string& url, const std::string& target,
                                                 const std::string& reference,
                                                 std::uint64_t limit) const {
    Worker worker(new GetFileThread(setup_.window, *setup_.options, Str(url), Str(target),
                                    Str(reference), limit));
    if (!worker->Start())
        return nullptr;
    return worker;
}

bool ModuleUpdate::Downloading() const {
    return stage_ != Stage::Idle;
}

bool ModuleUpdate::HandleMessage(platform::MessageId msg, platform::WParam,
                                 platform::LParam lparam) {
    if (msg != threadMessages().end || !worker_ || lparam != worker_->AsParam())
        return false;
    const Stage ended = stage_;
    stage_ = Stage::Idle;
    switch (ended) {
    case Stage::Page:
        PageEnded();
        break;
    case Stage::Module:
        ModuleEnded();
        break;
    case Stage::Signature:
        SignatureEnded();
        break;
    case Stage::Idle:
        break;
    }
    return true;
}

int ModuleUpdate::Finish(int& status) {
    status = 0;
    if (!worker_->WaitForEnd(kFirstWaitMs) && !worker_->WaitForEnd(kSecondWaitMs)) {
        worker_.release()->Abandon();
        return kNoEnd;
    }
    int result = worker_->WaitForExit();
    status = worker_->HttpStatus();
    // Every hop must have been https: a page fetched otherwise is dropped as
    // any failed page is, a module or signature refused with nothing kept.
    if (setup_.httpsOnly && (worker_->LeftHttps() || Refused(std::string(worker_->Url().view()))))
        result = kLeftHttps;
    worker_.reset();
    return result;
}

void ModuleUpdate::PageEnded() {
    int status = 0;
    const int result = Finish(status);
    const std::string page = Path(kPageFile);
    const std::string fresh = Path(kPageDownloadFile);
    if (result != 0 || status == kNotModified) {
        removeFile(fresh);
        return;
    }
    const bool changed = !sameBytes(page, fresh);
    const bool wanted = changed && setup_.boxes->show(setup_.language->text(text::ModuleOffer),
                                                      setup_.language->text(text::AppTitle),
                                                      mb::YesNo | mb::IconQuestion) == mb::IdYes;
    // The new page is kept whatever the answer, so that a No is not asked
    // again until the page changes again.
    removeFile(page);
    std::rename(fresh.c_str(), page.c_str());
    if (!wanted)
        return;
    worker_ =
        StartDownload(setup_.moduleAddress, Path(kDownloadFile), Path(kModuleFile), kModuleLimit);
    if (worker_)
        stage_ = Stage::Module;
    else
        Show(text::ModuleDownloadFailed, mb::Ok | mb::IconExclamation);
}

void ModuleUpdate::ModuleEnded() {
    int status = 0;
    const int result = Finish(status);
    if (result != 0 || status == kNotModified) {
        DiscardDownload();
        Show(result == 0 ? text::ModuleUpToDate : text::ModuleDownloadFailed,
             result == 0 ? mb::Ok | mb::IconInformation : mb::Ok | mb::IconExclamation);
        return;
    }
    // The signature always comes fresh: it belongs to this module only.
    worker_ = StartDownload(setup_.moduleAddress + kSignatureSuffix,
                            Path(kDownloadFile) + kSignatureSuffix, "", kSignatureLimit);
    if (worker_) {
        stage_ = Stage::Signature;
        return;
    }
    DiscardDownload();
    Show(text::ModuleDownloadFailed, mb::Ok | mb::IconExclamation);
}

void ModuleUpdate::SignatureEnded() {
    int status = 0;
    const int result = Finish(status);
    const std::string module = Path(kDownloadFile);
    const std::string signature = module + kSignatureSuffix;
    if (result != 0 || status == kNotModified ||
        !ModuleSignature::verify(module, signature, setup_.key, kModuleLimit)) {
        DiscardDownload();
        Show(text::ModuleDownloadFailed, mb::Ok | mb::IconExclamation);
        return;
    }
    Show(text::ModuleDownloaded, mb::Ok | mb::IconInformation);
    const std::string waiting = Path(kWaitingFile);
    std::rename(module.c_str(), waiting.c_str());
    std::rename(signature.c_str(), (waiting + kSignatureSuffix).c_str());
}

void ModuleUpdate::DiscardDownload() const {
    const std::string module = Path(kDownloadFile);
    removeFile(module);
    removeFile(module + kSignatureSuffix);
}

void ModuleUpdate::CleanUp() {
    if (!worker_)
        return;
    worker_->Stop();
    // The worker may still be in a blocking call; it deletes itself when it
    // returns and posts nothing any more.
    worker_.release()->Abandon();
    if (stage_ == Stage::Module || stage_ == Stage::Signature)
        removeFile(Path(kPageFile));
    stage_ = Stage::Idle;
}

} // namespace qx
