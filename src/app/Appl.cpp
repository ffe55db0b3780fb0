#include "app/Appl.h"

#include "app/BackupRevert.h"
#include "app/ContextHelp.h"
#include "app/HelpDisplay.h"
#include "app/IdleDriver.h"
#include "app/RecoveryStart.h"
#include "doc/DocView.h"
#include "doc/Editor.h"
#include "doc/MyDocManager.h"
#include "doc/QtMessageTarget.h"
#include "doc/RecoveryTimer.h"
#include "doc/Texts.h"
#include "doc/UserDialogs.h"
#include "lang/Language.h"
#include "lang/ProgramFolder.h"
#include "lang/TextIds.h"
#include "search/EngineTable.h"
#include "search/ModuleUpdate.h"
#include "search/SearchModule.h"
#include "settings/Options.h"
#include "settings/PlatformSettings.h"
#include "ui/AboutBox.h"
#include "ui/Browser.h"
#include "ui/Commands.h"
#include "ui/ExportCommands.h"
#include "ui/FrameWindow.h"
#include "ui/ProgressGadget.h"
#include "ui/View.h"
#include "ui/dialogs/FolderField.h"
#include "ui/dialogs/OptionsDialog.h"
#include "ui/dialogs/ReferenceDialogs.h"

#include <QApplication>
#include <QFileInfo>
#include <QStandardPaths>
#include <cstdlib>

namespace qx::app {

namespace {

// Switches begin with "/", as absolute paths do here: a switch is a single
// word after the "/" that names no file.
bool isSwitch(const QString& argument) {
    return argument.startsWith(QLatin1Char('/')) && argument.indexOf(QLatin1Char('/'), 1) < 0 &&
           !QFileInfo::exists(argument);
}

} // namespace

Appl::Appl(const QString& title, Services services, QObject* parent)
    : QObject(parent), title_(title), services_(std::move(services)),
      recentFiles_(services_.profile) {
    template_.setDescription(doc::text(services_.language, text::DocumentFilterDescription));
    browser_ =
        std::make_unique<ui::Browser>(services_.language, services_.dialogs, title_.toStdString());
    // The search module comes from its update: a waiting module is installed
    // first, then the one in place is loaded and the description page fetched.
    updateMessages_ = new doc::QtMessageTarget(
        [this](platform::MessageId msg, platform::WParam wparam, platform::LParam lparam) {
            if (moduleUpdate_)
                moduleUpdate_->HandleMessage(msg, wparam, lparam);
        },
        this);
    ModuleUpdate::Setup update;
    update.folder = ProgramFolder::current();
    update.pageAddress = PlatformSettings::pageAddress(services_.profile);
    update.moduleAddress = PlatformSettings::moduleAddress(services_.profile);
    update.options = &services_.options;
    update.window = updateMessages_;
    update.boxes = &services_.dialogs;
    update.language = &services_.language;
    moduleUpdate_ = std::make_unique<ModuleUpdate>(std::move(update));
    searchModule_ = moduleUpdate_->StartUp();
    // The one source of engine names and of the engines a search may ask.
    engines_ =
        std::make_unique<EngineTable>(EngineTable::make(services_.language, searchModule_.get()));
    dialogs_ = std::make_unique<ui::ReferenceDialogs>(
        services_.language, *engines_, services_.profile, services_.options, services_.dialogs,
        [&help = services_.help](int context) { help.context(context); });
    template_.setViewFactory([this](doc::Editor& document) -> std::unique_ptr<doc::DocView> {
        auto view = std::make_unique<ui::View>(document, services_.profile, services_.options,
                                               services_.language);
        view->setDialogs(dialogs_.get());
        view->setBrowser(browser_.get());
        view->setSearchModule(searchModule_, *engines_, services_.dialogs);
        return view;
    });
    docManager_ = std::make_unique<doc::MyDocManager>(template_, services_.store, services_.options,
                                                      services_.language, services_.dialogs);
    const std::string dataHome =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString();
    recovery_ = std::make_unique<doc::RecoveryTimer>(*docManager_, dataHome);
    recovery_->setInterval(doc::RecoveryTimer::intervalOf(services_.options));
    connect(docManager_.get(), &doc::MyDocManager::saved, recovery_.get(),
            &doc::RecoveryTimer::drop);
    connect(docManager_.get(), &doc::MyDocManager::viewClosed, recovery_.get(),
            &doc::RecoveryTimer::documentReplaced);
    backupRevert_ = std::make_unique<BackupRevert>(*docManager_, services_.store, services_.options,
                                                   services_.language, services_.dialogs, dataHome);
    exportCommands_ = std::make_unique<ui::ExportCommands>(
        [this] { return docManager_->document(); }, services_.profile, services_.language,
        services_.dialogs);
    connect(docManager_.get(), &doc::MyDocManager::viewCreated, this, &Appl::viewCreated);
    connect(docManager_.get(), &doc::MyDocManager::viewClosed, this, &Appl::viewClosed);
    connect(docManager_.get(), &doc::MyDocManager::documentCreated, this, &Appl::documentNamed);
    connect(docManager_.get(), &doc::MyDocManager::documentSavedAs, this, &Appl::documentNamed);
    connect(docManager_.get(), &doc::MyDocManager::titleChanged, this, [this](const QString& t) {
        if (frame_)
            frame_->setDocumentTitle(t);
    });
    addCommands();
    qApp->installEventFilter(this);
}

Appl::~Appl() {
    // No more events of windows that are going away.
    qApp->removeEventFilter(this);
    contextHelp_.reset();
    // The view goes with its document before the window that shows it.
    docManager_->release();
    delete frame_;
}

void Appl::initInstance(const QStringList& arguments) {
    frame_ = new ui::FrameWindow(services_.profile, services_.language, title_);
    frame_->addCommandTarget(exportCommands_.get());
    frame_->addCommandTarget(docManager_.get());
    frame_->addCommandTarget(this);
    frame_->setCloseTest([this] { return canClose(); });
    connect(frame_, &ui::FrameWindow::filesDropped, this, &Appl::openDropped);
    connect(frame_, &ui::FrameWindow::closing, this, &Appl::frameClosing);
    contextHelp_ = std::make_unique<ContextHelp>(*frame_, services_.help);
    frame_->setCommandFilter([this](int id) { return contextHelp_->commandChosen(id); });
    showRecentFiles();
    frame_->showAtStart();

    docManager_->createNew();
    if (arguments.size() >= 2 && !isSwitch(arguments[1]))
        commandLinePath_ = arguments[1];
    idleDriver_ = std::make_unique<IdleDriver>([this](long count) { return idle(count); });
}

ui::FrameWindow* Appl::frame() const {
    return frame_;
}

bool Appl::idle(long count) {
    if (!frame_)
        return false;
    if (firstIdle_) {
        firstIdle_ = false;
        RecoveryStart recovery(*docManager_, *recovery_, services_.store, services_.options,
                               services_.language, services_.dialogs);
        if (recovery.offer(frame_)) {
            // The restored work is what the person wanted to go on with.
        } else if (!commandLinePath_.isEmpty()) {
            docManager_->openPath(commandLinePath_);
        } else if (services_.options.findDialogAtStart) {
            QMetaObject::invokeMethod(
                frame_, [frame = frame_] { frame->execute(ui::cmd::FindDialog); },
                Qt::QueuedConnection);
        }
        runStartCommands();
    }
    if (!frame_)
        return false;
    ui::View* view = frame_->view();
    // The view's scheduler comes before the framework's own idle work, which
    // a search start skips this time.
    const JobBoard::Pass jobs = view ? view->idle() : JobBoard::Pass::Nothing;
    frame_->progressGadget()->setValue(view ? view->progressFigure() : -1);
    if (jobs == JobBoard::Pass::SearchStarted)
        return true;
    return frame_->idle(count) || jobs != JobBoard::Pass::Nothing;
}

bool Appl::canClose() {
    if (!docManager_->canClose())
        return false;
    services_.options.save(services_.profile);
    return true;
}

void Appl::openDropped(const QStringList& paths) {
    if (!paths.isEmpty())
        docManager_->openPath(paths.constFirst());
}

void Appl::runStartCommands() {
    // Commands to run once the window is up, numbers separated by commas: a
    // test drives a real process of the program through them.
    const QString list = qEnvironmentVariable("QXSEEK_TEST_COMMANDS");
    for (const QString& number : list.split(QLatin1Char(','), Qt::SkipEmptyParts))
        if (frame_)
            frame_->execute(number.trimmed().toInt());
}

void Appl::addCommands() {
    commands_.add(
        ui::cmd::RevertToBackup,
        [this] { return doc::CommandTable::enabledIf(backupRevert_->possible()); },
        [this] { backupRevert_->run(frame_); });
    commands_.add(ui::cmd::Options, [this] { showOptions(); });
    commands_.add(ui::cmd::HelpContents, [this] { services_.help.contents(); });
    commands_.add(ui::cmd::HelpOnHelp, [this] { services_.help.helpOnHelp(); });
    commands_.add(ui::cmd::About,
                  [this] { ui::AboutBox(services_.language, *browser_, frame_).exec(); });
    commands_.add(ui::cmd::Exit, [this] { frame_->close(); });
    for (int i = 0; i < RecentFiles::kMaxEntries; ++i) {
        const int id = ui::cmd::RecentFile0 + i;
        commands_.add(id, [this, id] {
            const std::string path = recentFiles_.pathForCommand(static_cast<unsigned>(id));
            if (!path.empty())
                docManager_->openPath(QString::fromStdString(path));
        });
    }
}

bool Appl::eventFilter(QObject* watched, QEvent* event) {
    // The system colours changed: the frame has taken them on by now.
    if (frame_ && watched == frame_ && event->type() == QEvent::PaletteChange)
        frame_->rebuildToolbarImages();
    return false;
}

void Appl::viewCreated(doc::DocView* view) {
    auto* mainView = qobject_cast<ui::View*>(view->window());
    if (!mainView)
        return;
    // The exports write what the active tree has selected, and are enabled
    // only while it has a selection.
    exportCommands_->setSelection([mainView] { return mainView->selectedReferences(); });
    if (frame_)
        frame_->setView(mainView);
}

void Appl::viewClosed() {
    exportCommands_->setSelection(nullptr);
    if (frame_)
        frame_->clearView();
}

void Appl::documentNamed(const QString& path) {
    recentFiles_.add(path.toStdString());
    showRecentFiles();
}

void Appl::showRecentFiles() {
    if (!frame_)
        return;
    QStringList paths;
    for (const std::string& path : recentFiles_.entries())
        paths.append(QString::fromStdString(path));
    frame_->setRecentFiles(paths);
}

void Appl::frameClosing() {
    // Closing the view stops its workers while the program can still wait for them.
    docManager_->release();
    frame_->deleteLater();
    connect(frame_, &QObject::destroyed, qApp, &QCoreApplication::quit);
}

void Appl::showOptions() {
    const Options before = services_.options;
    ui::OptionsDialog dialog(services_.options, services_.language, services_.language.languages(),
                             services_.languageCode, frame_);
    // The same folder the Favorites export asks for and remembers.
    const QString favorites = QString::fromStdString(
        PlatformSettings::favoritesFolder(services_.profile, std::getenv("HOME")));
    ui::FolderField& folder = dialog.favoritesFolder();
    folder.setFolder(favorites);
    folder.setChooser([this](const QString& from) {
        return services_.dialogs.folderName({QString(), QString(), from});
    });
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (const QString chosen = folder.folder(); !chosen.isEmpty() && chosen != favorites)
        PlatformSettings::setFavoritesFolder(services_.profile, chosen.toStdString());
    if (services_.options.language != before.language)
        services_.dialogs.show(services_.language.text(text::LanguageChanged), title_.toStdString(),
                               mb::Ok | mb::TaskModal);
    recovery_->setInterval(doc::RecoveryTimer::intervalOf(services_.options));
    if (services_.options.sortServersType != before.sortServersType && docManager_->document())
        docManager_->document()->sortHosts(services_.options.sortServersType);
}

} // namespace qx::app
