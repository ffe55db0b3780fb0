#pragma once

#include "doc/CommandTable.h"
#include "doc/DocTemplate.h"
#include "settings/RecentFiles.h"

#include <QObject>
#include <QPointer>
#include <memory>

namespace qx {
class ApplicationProfile;
class EngineTable;
class Language;
class ModuleUpdate;
class SearchModule;
struct Options;
} // namespace qx

namespace qx::doc {
class DocView;
class DocumentStore;
class MyDocManager;
class QtMessageTarget;
class RecoveryTimer;
class UserDialogs;
} // namespace qx::doc

namespace qx::ui {
class Browser;
class ExportCommands;
class FrameWindow;
class ReferenceDialogs;
} // namespace qx::ui

namespace qx::app {

class BackupRevert;
class ContextHelp;
class HelpDisplay;
class IdleDriver;

// The application: it owns the document manager and the recent-files list,
// builds the main window, opens a document named on the command line at the
// first idle moment, keeps the progress display current while idle, offers
// context help, and saves the options when the program closes.
class Appl : public QObject, public doc::CommandTarget {
    Q_OBJECT
public:
    // What the application works with; all of it outlives the application.
    struct Services {
        ApplicationProfile& profile;
        Options& options;
        const Language& language;
        std::string languageCode; // the code of the module loaded
        doc::UserDialogs& dialogs;
        HelpDisplay& help;
        doc::DocumentStore& store;
    };

    Appl(const QString& title, Services services, QObject* parent = nullptr);
    ~Appl() override;

    // Builds and shows the main window, makes the first empty document, and
    // keeps the document named by the first argument when it is no switch.
    void initInstance(const QStringList& arguments);

    // One idle pass: the first pass opens the command line's document (or asks
    // for the find dialog), every pass sets the progress gadget; then the
    // windows' idle work. Answers whether it wants another pass at once.
    bool idle(long count);

    // The close test: the documents may go; then the options are saved.
    bool canClose();

    // Opens the first of several dropped files.
    void openDropped(const QStringList& paths);

    bool commandState(int id, doc::CommandState& state) override {
        return commands_.commandState(id, state);
    }
    bool execute(int id) override { return commands_.execute(id); }

    ui::FrameWindow* frame() const;
    doc::MyDocManager& docManager() const { return *docManager_; }
    const QString& title() const { return title_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addCommands();
    void viewCreated(doc::DocView* view);
    void viewClosed();
    void documentNamed(const QString& path);
    void frameClosing();
    void showOptions();
    void showRecentFiles();
    void runStartCommands();

    QString title_;
    Services services_;
    QString commandLinePath_;
    bool firstIdle_ = true;
    doc::DocTemplate template_;
    RecentFiles recentFiles_;
    QPointer<ui::FrameWindow> frame_;
    // Before the document manager: the views it owns use the engine table,
    // the dialogs, the browser and the search module (a worker left running at
    // shutdown keeps its own hold on the module).
    std::unique_ptr<EngineTable> engines_;
    std::unique_ptr<ui::ReferenceDialogs> dialogs_;
    std::unique_ptr<ui::Browser> browser_;
    // Gets the update downloads' end messages; a child of this object.
    doc::QtMessageTarget* updateMessages_ = nullptr;
    // Stops its downloads when it goes, after every view.
    std::unique_ptr<ModuleUpdate> moduleUpdate_;
    std::shared_ptr<const SearchModule> searchModule_;
    std::unique_ptr<doc::MyDocManager> docManager_;
    std::unique_ptr<doc::RecoveryTimer> recovery_;
    std::unique_ptr<BackupRevert> backupRevert_;
    std::unique_ptr<ui::ExportCommands> exportCommands_;
    std::unique_ptr<ContextHelp> contextHelp_;
    std::unique_ptr<IdleDriver> idleDriver_;
    doc::CommandTable commands_;
};

} // namespace qx::app
