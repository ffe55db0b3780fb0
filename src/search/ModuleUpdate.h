#pragma once

#include "platform/Message.h"
#include "search/ModuleSignature.h"

#include <cstdint>
#include <memory>
#include <string>

namespace qx {

class GetFileThread;
class Language;
class MessageBoxer;
struct Options;
class SearchModule;

namespace platform {
class MessageTarget;
}

// Keeps the search module current: at start-up installs a downloaded module
// that waits for it, loads the module and starts the download of its
// description page; when the page has changed and the user agrees, downloads
// the new module and its signature, which the next start installs. Everything
// runs on the user-interface thread; the downloads are GetFileThreads whose
// end messages go to the window given here and come back through
// HandleMessage.
class ModuleUpdate {
public:
    // The files, in the program's folder.
    static constexpr const char* kModuleFile = "qsearch.so";    // the module in use
    static constexpr const char* kDownloadFile = "qsearch1.so"; // a module being downloaded
    static constexpr const char* kWaitingFile = "qsearch2.so";  // installed at the next start
    static constexpr const char* kPageFile = "qsearch.htm";     // the last seen page
    static constexpr const char* kPageDownloadFile = "qsearch2.htm";
    // A module's detached signature: the module's name with this appended.
    static constexpr const char* kSignatureSuffix = ".sig";

    // Caps of the downloads, so that an answer that never ends cannot fill
    // the disk.
    static constexpr std::uint64_t kPageLimit = 1ULL << 20;
    static constexpr std::uint64_t kModuleLimit = 64ULL << 20;
    static constexpr std::uint64_t kSignatureLimit = 4096;

    struct Setup {
        std::string folder;        // the program's folder
        std::string pageAddress;   // "Update"/"PageAddress"; empty: no check
        std::string moduleAddress; // "Update"/"ModuleAddress"; empty: no check
        const Options* options = nullptr;
        platform::MessageTarget* window = nullptr; // gets the downloads' end messages
        MessageBoxer* boxes = nullptr;
        const Language* language = nullptr;
        ModuleSignature::PublicKey key = ModuleSignature::builtInKey();
        // Only tests against a plain local server turn this off.
        bool httpsOnly = true;
    };

    explicit ModuleUpdate(Setup setup);
    // CleanUp.
    ~ModuleUpdate();
    ModuleUpdate(const ModuleUpdate&) = delete;
    ModuleUpdate& operator=(const ModuleUpdate&) = delete;

    // At the main window's set-up: installs a waiting module whose signature
    // verifies (one that does not is deleted with text 9291), loads the
    // module (null when missing or unloadable: searches then record the
    // lookup error) and starts the page download when both addresses are set.
    // An address that is not https is refused with a message box.
    std::shared_ptr<const SearchModule> StartUp();

    // "_WM_THREADEND" of one of the downloads: handles it and answers true;
    // any other message answers false.
    bool HandleMessage(platform::MessageId msg, platform::WParam wparam, platform::LParam lparam);

    // Stops the downloads; a module download cut short deletes the page, so
    // that the next start offers the module again.
    void CleanUp();

    // Whether a download is under way (the page, the module or its signature).
    bool Downloading() const;

private:
    struct ReleaseWorker {
        void operator()(GetFileThread* worker) const;
    };
    using Worker = std::unique_ptr<GetFileThread, ReleaseWorker>;
    enum class Stage { Idle, Page, Module, Signature };

    std::string Path(const char* name) const;
    bool Refused(const std::string& address) const;
    void Show(unsigned textId, unsigned style) const;
    Worker StartDownload(const std::string& url, const std::string& target,
                         const std::string& reference, std::uint64_t limit) const;
    // Waits for the ended worker and destroys it: its result, and its HTTP
    // status in status; a worker that does not end in time, or whose transfer
    // left https on a hop when only https is allowed, counts as failed.
    int Finish(int& status);
    void PageEnded();
    void ModuleEnded();
    void SignatureEnded();
    void DiscardDownload() const;
    void InstallWaitingModule() const;

    Setup setup_;
    Stage stage_ = Stage::Idle;
    Worker worker_;
};

} // namespace qx
