#include "FakeStore.h"
#include "ProgramDir.h"
#include "RecordingMessageBoxer.h"
#include "ScriptedDialogs.h"
#include "TempDir.h"
#include "app/Appl.h"
#include "app/DisplayCheck.h"
#include "app/HelpDisplay.h"
#include "app/IdleDriver.h"
#include "app/Program.h"
#include "app/Setup.h"
#include "doc/Editor.h"
#include "doc/FileDocumentStore.h"
#include "doc/MyDocManager.h"
#include "lang/TextIds.h"
#include "model/DDoc.h"
#include "model/DocumentBackups.h"
#include "model/DocumentFile.h"
#include "model/OrgRef2.h"
#include "model/RecoveryFiles.h"
#include "model/RefRoot.h"
#include "model/SearchProp.h"
#include "search/EngineTable.h"
#include "search/ObjPropDialogInfo.h"
#include "settings/SettingsLocation.h"
#include "ui/AboutBox.h"
#include "ui/Browser.h"
#include "ui/Commands.h"
#include "ui/DocumentTrees.h"
#include "ui/FrameWindow.h"
#include "ui/ToolbarImages.h"
#include "ui/View.h"
#include "ui/dialogs/FindDialog.h"
#include "ui/dialogs/FolderField.h"
#include "ui/dialogs/ObjPropDialog.h"
#include "ui/dialogs/OptionsDialog.h"
#include "ui/tree/RefTreeView.h"
#include "ui/tree/refs/RefTVNode.h"

#include <QComboBox>
#include <QDialog>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <cstdlib>
#include <filesystem>
#include <signal.h>

using namespace qx;
using qx::test::FakeStore;
using qx::test::ScriptedDialogs;
using qx::test::TempDir;

namespace {

class RecordingHelp : public app::HelpDisplay {
public:
    QList<QUrl> urls;

protected:
    void show(const QUrl& url) override { urls.append(url); }
};

// Lets the event loop run, and wait when it has nothing to do, for a while.
void spin(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Runs the loop until a pass quits it, ten seconds at most. Idle passes run
// only when a real event loop is about to wait, which polling does not do; a
// condition is waited for, not a time.
void runUntilQuit(QEventLoop& loop) {
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
}

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

class AppTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void idlePassesRunWithoutInputAndOnlyWhileAskedFor();
    void aPassThatOpensADialogIsNotEnteredAgain();
    void setupQuotesTheProgramAndCutsTheReadOnlyMediaValues();
    void languageOneStartsInRussianAndLeavesRusInTheFile();
    void aDocumentOnTheCommandLineOpensAtTheFirstIdlePassInsteadOfTheFindDialog();
    void withoutADocumentTheFirstIdlePassAsksForTheFindDialogOnce();
    void switchesCountOnlyAsTheFirstArgument();
    void theFindCommandWritesTheAcceptedQueryAndItsHistory();
    void theExportsTakeTheActiveTreesSelection();
    void threeDroppedFilesOpenOnlyTheFirst();
    void workOfAKilledProgramIsOfferedAndRestoredAtTheNextStart();
    void revertToBackupPutsTheChosenBackupInPlaceAsAChange();
    void openingAListedDocumentMovesItToTheTopOfTheRecentFiles();
    void changingTheLanguageShows9250AndTheFileHoldsItAfterClose();
    void theOptionsChooseTheFolderTheFavoritesExportStartsIn();
    void f1AsksForTheHelpOfTheFocusedWindow();
    void helpModeShowsTheHelpOfTheChosenCommandInsteadOfRunningIt();
    void heldF1AsksOnceAndIsForgottenWhenTheProgramLosesTheKeyboard();
    void aSystemColourChangeDrawsTheToolBarAgain();
    void installRegistersTheDocumentTypeAndUninstallRemovesItAll();
    void anInstalledCopyNeedsNeitherInstallNorUninstall();
    void cancellingSetupsLanguageChoiceEndsTheProgram();
    void withoutADisplayTheProgramSaysSoInOneLine();
    void screenshots();

private:
    app::Program& makeProgram();
    // A started program whose window is active, its document changed (so that
    // Save asks for a name); null when it did not get that far.
    ui::FrameWindow* startWithAChangedDocument();
    QString writeDocument(const std::string& name);

    std::unique_ptr<TempDir> dir_;
    app::StartupPaths paths_;
    FakeStore store_;
    std::unique_ptr<ScriptedDialogs> dialogs_;
    std::unique_ptr<RecordingHelp> help_;
    std::unique_ptr<app::Program> program_;
};

void AppTest::init() {
    dir_ = std::make_unique<TempDir>();
    const std::string programFolder = test::programFolder();
    paths_ = {programFolder + "/qxseek", programFolder, dir_->file("qxseek.INI"),
              dir_->file("share")};
    store_ = FakeStore();
    dialogs_ = std::make_unique<ScriptedDialogs>();
    help_ = std::make_unique<RecordingHelp>();
}

void AppTest::cleanup() {
    program_.reset();
    help_.reset();
    dialogs_.reset();
    dir_.reset();
}

app::Program& AppTest::makeProgram() {
    program_ = std::make_unique<app::Program>(paths_, *dialogs_, *help_, store_);
    return *program_;
}

ui::FrameWindow* AppTest::startWithAChangedDocument() {
    app::Program& program = makeProgram();
    if (program.start({QStringLiteral("qxseek")}))
        return nullptr;
    ui::FrameWindow* frame = program.appl()->frame();
    QApplication::setActiveWindow(frame);
    if (!QTest::qWaitForWindowActive(frame))
        return nullptr;
    program.appl()->docManager().document()->setDirty(true);
    frame->updateCommandStates();
    return frame;
}

QString AppTest::writeDocument(const std::string& name) {
    return qs(dir_->write(name, FakeStore::kMagic));
}

void AppTest::idlePassesRunWithoutInputAndOnlyWhileAskedFor() {
    std::vector<long> counts;
    int wanted = 3; // the first three passes ask for more time
    QEventLoop loop;
    app::IdleDriver driver([&](long count) {
        counts.push_back(count);
        if (wanted == 0)
            loop.quit();
        return wanted-- > 0;
    });
    runUntilQuit(loop);
    QCOMPARE(counts, (std::vector<long>{0, 1, 2, 3}));
    // Asleep now: only the next spin's own wakes bring passes, each a first one.
    spin(150);
    QVERIFY(counts.size() <= 6);
    QCOMPARE(counts.back(), 0L);
}

void AppTest::aPassThatOpensADialogIsNotEnteredAgain() {
    int depth = 0;
    int deepest = 0;
    int passes = 0;
    QEventLoop loop;
    app::IdleDriver driver([&](long) {
        ++passes;
        deepest = std::max(deepest, ++depth);
        if (passes == 1)
            spin(50); // a modal loop inside the pass: it waits, too
        else
            loop.quit(); // idle work goes on after the dialog
        --depth;
        return false;
    });
    runUntilQuit(loop);
    QVERIFY(passes >= 2);
    QCOMPARE(deepest, 1);
}

void AppTest::withoutADisplayTheProgramSaysSoInOneLine() {
    using Check = app::DisplayCheck;
    const std::string line = Check::problem(Check::Environment{});
    QVERIFY(line.find("qxseek-cli") != std::string::npos);
    QVERIFY(line.find('\n') == std::string::npos);
    QCOMPARE(Check::problem(Check::Environment{nullptr, "", "", false}), line);
    QCOMPARE(Check::problem(Check::Environment{nullptr, ":0", nullptr, false}), std::string());
    QCOMPARE(Check::problem(Check::Environment{nullptr, nullptr, "wayland-0", false}),
             std::string());
    QCOMPARE(Check::problem(Check::Environment{"offscreen", nullptr, nullptr, false}),
             std::string());
    QCOMPARE(Check::problem(Check::Environment{nullptr, nullptr, nullptr, true}), std::string());
}

void AppTest::setupQuotesTheProgramAndCutsTheReadOnlyMediaValues() {
    QCOMPARE(app::Setup::execLine("/opt/my apps/qxseek"),
             std::string("\"/opt/my apps/qxseek\" %f"));
    QCOMPARE(app::Setup::execLine("/a\\b$c\"d%e"),
             std::string("\"/a\\\\\\\\b\\\\$c\\\\\"d%%e\" %f"));
    const std::string ini =
        dir_->write("ROMedia.INI", "[ROMedia]\nROLang=rus-and-much-more-than-sixteen\n"
                                   "ROFolder=/media/cdrom/a/folder/name/longer/than/thirty-two\n");
    const app::Setup::ReadOnlyMedia media = app::Setup::readOnlyMedia(ini);
    QCOMPARE(media.language, std::string("rus-and-much-mo"));
    QCOMPARE(media.folder, std::string("/media/cdrom/a/folder/name/long"));
    QCOMPARE(app::Setup::readOnlyMedia(dir_->file("none.INI")).language, std::string());
}

void AppTest::languageOneStartsInRussianAndLeavesRusInTheFile() {
    dir_->write("qxseek.INI", "[Options]\nLanguage=1\n");
    app::Program& program = makeProgram();
    QVERIFY(!program.start({QStringLiteral("qxseek")}));
    QCOMPARE(program.languageCode(), std::string("rus"));
    QCOMPARE(program.profile().readString("Options", "Language", ""), std::string("rus"));
    QCOMPARE(program.options().language, std::string("1")); // as read, for the save at close
    ui::View* view = program.appl()->frame()->view();
    QVERIFY(view);
    const QString heading = view->findChild<QLabel*>(QStringLiteral("15"))->text();
    QCOMPARE(heading, qs(program.language().text(text::FirstTreeHeading)));
    QVERIFY(heading != QStringLiteral("Organizer"));
}

void AppTest::aDocumentOnTheCommandLineOpensAtTheFirstIdlePassInsteadOfTheFindDialog() {
    const QString path = writeDocument("refs.qxo");
    app::Program& program = makeProgram();
    QVERIFY(!program.start({QStringLiteral("qxseek"), path}));
    QVERIFY(program.options().findDialogAtStart);
    QCOMPARE(program.appl()->docManager().document()->path(), QString()); // not before idle
    spin(100);
    QCOMPARE(program.appl()->docManager().document()->path(), path);
    QCOMPARE(store_.reads, 1);
    QVERIFY(dialogs_->dialogsRun().isEmpty());
    QCOMPARE(program.profile().readString("MRU", "MRU0", ""), path.toStdString());
}

void AppTest::withoutADocumentTheFirstIdlePassAsksForTheFindDialogOnce() {
    app::Program& program = makeProgram();
    QVERIFY(!program.start({QStringLiteral("qxseek")}));
    spin(100);
    spin(50);
    QCOMPARE(dialogs_->dialogsRun(), QStringList{QStringLiteral("FindDialog")});
}

void AppTest::switchesCountOnlyAsTheFirstArgument() {
    const QString path = writeDocument("refs.qxo");
    {
        app::Program& program = makeProgram();
        QVERIFY(!program.start({QStringLiteral("qxseek"), path, QStringLiteral("/install")}));
        spin(50);
        QCOMPARE(program.appl()->docManager().document()->path(), path);
        QVERIFY(!std::filesystem::exists(paths_.dataHome));
    }
    app::Program& program = makeProgram();
    QVERIFY(!program.start({QStringLiteral("qxseek"), QStringLiteral("/nothing")}));
    spin(50);
    QCOMPARE(program.appl()->docManager().document()->path(), QString());
    QCOMPARE(dialogs_->dialogsRun().size(), 1);
}

void AppTest::theFindCommandWritesTheAcceptedQueryAndItsHistory() {
    dir_->write("qxseek.INI", "[Options]\nFindDialogAtStart=0\n[Search]\nQuery=last one\n");
    app::Program& program = makeProgram();
    QVERIFY(!program.start({QStringLiteral("qxseek")}));
    spin(50);
    QVERIFY(dialogs_->dialogsRun().isEmpty());
    ui::FrameWindow* frame = program.appl()->frame();
    QVERIFY(frame->commandState(ui::cmd::FindDialog).enabled);
    QString shown;
    dialogs_->handleNextDialog([&](QDialog& dialog) {
        auto* query = dialog.findChild<QComboBox*>(QStringLiteral("100"));
        shown = query->currentText();
        // F1 inside the dialog shows the dialog's own help.
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        query->setFocus();
        QTest::keyClick(query, Qt::Key_F1);
        query->setEditText(QStringLiteral(" norba  seek"));
        dialog.accept();
        return dialog.result();
    });
    frame->execute(ui::cmd::FindDialog);
    QCOMPARE(shown, QStringLiteral("last one"));
    QCOMPARE(help_->urls.size(), 1);
    QCOMPARE(help_->urls[0].fragment(), QStringLiteral("ctx20"));
    QCOMPARE(program.profile().readString("Search", "Query", ""), std::string("norba seek"));
    QCOMPARE(program.profile().readString("SearchHistory", "0", ""),
             std::string("norba seek,100,39,0,0,,"));
}

void AppTest::theExportsTakeTheActiveTreesSelection() {
    ui::FrameWindow* frame = startWithAChangedDocument();
    QVERIFY(frame);
    ui::View* view = frame->view();
    DDoc& model = program_->appl()->docManager().document()->model();
    OrgRef2& folder = model.createfolder(Str("Work"), model.orgroot(), nullptr);
    model.createfolder(Str("Other"), model.orgroot(), nullptr);
    OrganizerTreeView& tree = *view->organizerTree();
    tree.setFocus();
    view->trees().treeFocused(tree);
    tree.clearSelection();
    QVERIFY(!frame->commandState(ui::cmd::ExportHtml).enabled);
    QVERIFY(!frame->commandState(ui::cmd::ExportFavorites).enabled);

    RefItem::of(folder)->treeNode().select(true);
    QVERIFY(frame->commandState(ui::cmd::ExportHtml).enabled);
    QVERIFY(frame->commandState(ui::cmd::ExportFavorites).enabled);
    const std::vector<const Ref*> chosen = view->selectedReferences();
    QCOMPARE(chosen.size(), std::size_t{1});
    QCOMPARE(chosen.front(), &folder);
}

void AppTest::threeDroppedFilesOpenOnlyTheFirst() {
    app::Program& program = makeProgram();
    QVERIFY(!program.start({QStringLiteral("qxseek")}));
    const QList<QUrl> files = {QUrl::fromLocalFile(writeDocument("one.qxo")),
                               QUrl::fromLocalFile(writeDocument("two.qxo")),
                               QUrl::fromLocalFile(writeDocument("three.qxo"))};
    QMimeData data;
    data.setUrls(files);
    ui::FrameWindow* frame = program.appl()->frame();
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame, &drop);
    QCOMPARE(store_.reads, 1);
    QCOMPARE(program.appl()->docManager().document()->path(), files[0].toLocalFile());
}

namespace {

// Clicks a button of a dialog the program runs, with the current row chosen
// in its list, and answers what the dialog then says.
int clickWithRow(QDialog& dialog, int button, int row) {
    auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("100"));
    if (!list || row >= list->topLevelItemCount())
        return QDialog::Rejected;
    list->setCurrentItem(list->topLevelItem(row));
    dialog.findChild<QPushButton*>(QString::number(button))->click();
    return dialog.result();
}

// A copy of the program in a folder of its own, so that its settings file
// lands there and not in the build.
std::string programCopy(TempDir& dir) {
    namespace fs = std::filesystem;
    const fs::path built = std::getenv("QX_PROGRAM_DIR");
    const fs::path folder = dir.file("program");
    fs::create_directories(folder);
    for (const fs::directory_entry& entry : fs::directory_iterator(built)) {
        const fs::path name = entry.path().filename();
        if (name == "qxseek")
            fs::copy_file(entry.path(), folder / name);
        else if (name != "qxseek.INI")
            fs::create_symlink(entry.path(), folder / name);
    }
    return (folder / "qxseek").string();
}

} // namespace

void AppTest::workOfAKilledProgramIsOfferedAndRestoredAtTheNextStart() {
    const std::string data = dir_->file("data");
    const QByteArray dataHomeBefore = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(data));
    doc::FileDocumentStore store;
    // Also when a check fails: the program goes before its store, and the
    // later tests keep their own data folder.
    const auto restore = qScopeGuard([&] {
        program_.reset();
        qputenv("XDG_DATA_HOME", dataHomeBefore);
    });
    const std::string path = dir_->file("links.qxo");
    {
        DDoc doc;
        doc.filedomainnode("http://example.org/kept");
        QCOMPARE(saveDocument(path, doc), 0);
    }

    // A real program, made to change its document at once, keeps the change
    // within a second, and is then killed.
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), qs(data));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), qs(dir_->file("config")));
    environment.insert(QStringLiteral("QXSEEK_RECOVERY_SECONDS"), QStringLiteral("1"));
    environment.insert(QStringLiteral("QXSEEK_TEST_COMMANDS"),
                       QString::number(ui::cmd::GroupMode1));
    program.setProcessEnvironment(environment);
    program.start(qs(programCopy(*dir_)), {qs(path)});
    QVERIFY(program.waitForStarted());
    const RecoveryFiles files(data);
    QTRY_VERIFY_WITH_TIMEOUT(files.list().size() == 1 && !files.list()[0].document.empty(), 30000);
    ::kill(static_cast<pid_t>(program.processId()), SIGKILL);
    QVERIFY(program.waitForFinished());
    QCOMPARE(program.exitStatus(), QProcess::CrashExit);
    // And a damaged one beside it, as a crash in the middle of writing leaves.
    dir_->write("data/qxseek/recovery/damaged-00000000.qxo", "qxo");
    dir_->write("data/qxseek/recovery/damaged-00000000.qxo.path", "/d/damaged.qxo\n");

    program_ = std::make_unique<app::Program>(paths_, *dialogs_, *help_, store);
    QStringList rows;
    dialogs_->handleNextDialog([&](QDialog& dialog) {
        auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("100"));
        for (int i = 0; list && i < list->topLevelItemCount(); ++i)
            rows.append(list->topLevelItem(i)->text(0));
        return clickWithRow(dialog, 1, 0);
    });
    QVERIFY(!program_->start({QStringLiteral("qxseek")}));
    // Idle passes need a loop that waits, which QTRY_VERIFY's does not.
    for (int i = 0; i < 100 && !dialogs_->dialogsRun().contains(QStringLiteral("RecoveryDialog"));
         ++i)
        spin(50);
    QVERIFY(dialogs_->dialogsRun().contains(QStringLiteral("RecoveryDialog")));
    QCOMPARE(rows, QStringList{qs(platform::resolvedPath(path))});
    QCOMPARE(dialogs_->texts().size(), 1);
    QVERIFY(dialogs_->texts()[0].contains(QStringLiteral("damaged-00000000.qxo")));
    QVERIFY(std::filesystem::exists(data + "/qxseek/recovery/damaged-00000000.qxo.unreadable"));

    doc::Editor& restored = *program_->appl()->docManager().document();
    QCOMPARE(restored.path(), qs(platform::resolvedPath(path)));
    QVERIFY(restored.isDirty());
    QCOMPARE(restored.model().orgroot().resultorder(), std::uint32_t(RefRoot::ByDate));
    // Saving writes the document itself, keeps it as it was among the
    // backups, and the recovery file has done its work.
    QVERIFY(program_->appl()->docManager().save());
    DDoc saved;
    QCOMPARE(loadDocument(path, saved), 0);
    QCOMPARE(saved.orgroot().resultorder(), std::uint32_t(RefRoot::ByDate));
    QCOMPARE(DocumentBackups(data, platform::resolvedPath(path)).list().size(), std::size_t(1));
    QVERIFY(files.list().empty());
}

void AppTest::revertToBackupPutsTheChosenBackupInPlaceAsAChange() {
    const QString path = qs(dir_->write("refs.qxo", std::string(FakeStore::kMagic) + "first"));
    app::Program& program = makeProgram();
    QVERIFY(!program.start({QStringLiteral("qxseek")}));
    ui::FrameWindow* frame = program.appl()->frame();
    doc::MyDocManager& documents = program.appl()->docManager();
    QVERIFY(documents.openPath(path));
    // Nothing kept yet: said so.
    frame->execute(ui::cmd::RevertToBackup);
    QCOMPARE(dialogs_->texts().size(), 1);
    QVERIFY(dialogs_->texts()[0].startsWith(QStringLiteral("There are no backups of refs.qxo")));

    documents.document()->setDirty(true);
    QVERIFY(documents.save()); // keeps "first"
    QVERIFY(documents.openPath(path));
    documents.document()->setDirty(true);
    QVERIFY(documents.save()); // keeps the first save
    dialogs_->handleNextDialog([](QDialog& dialog) { return clickWithRow(dialog, 1, 1); });
    frame->execute(ui::cmd::RevertToBackup);
    QCOMPARE(dialogs_->dialogsRun().last(), QStringLiteral("BackupsDialog"));
    QCOMPARE(store_.lastRead, std::string(FakeStore::kMagic) + "first");
    QVERIFY(documents.document()->isDirty());
    QCOMPARE(documents.document()->path(), path);
}

void AppTest::openingAListedDocumentMovesItToTheTopOfTheRecentFiles() {
    const QString listed = writeDocument("listed.qxo");
    dir_->write("qxseek.INI", "[MRU]\nMRU0=/elsewhere/first.qxo\nMRU1=" + listed.toStdString() +
                                  "\nMRU2=/elsewhere/third.qxo\n");
    app::Program& program = makeProgram();
    QVERIFY(!program.start({QStringLiteral("qxseek")}));
    ui::FrameWindow* frame = program.appl()->frame();
    frame->execute(ui::cmd::RecentFile0 + 1);
    QCOMPARE(program.appl()->docManager().document()->path(), listed);
    QCOMPARE(program.profile().readString("MRU", "MRU0", ""), listed.toStdString());
    QCOMPARE(program.profile().readString("MRU", "MRU1", ""), std::string("/elsewhere/first.qxo"));
    QCOMPARE(program.profile().readString("MRU", "MRU2", ""), std::string("/elsewhere/third.qxo"));
    QCOMPARE(program.profile().readString("MRU", "MRU3", "none"), std::string());
    QCOMPARE(program.profile().readInt("MRU", "Count", 0), 9);
    QMenu* file = frame->menuBar()->actions().at(0)->menu();
    QList<QAction*> items = file->actions();
    QCOMPARE(items.at(items.size() - 5)->text(), QStringLiteral("&1 ") + listed);

    frame->execute(ui::cmd::RecentFile0 + 8); // no such entry: nothing happens
    QCOMPARE(store_.reads, 1);
}

void AppTest::changingTheLanguageShows9250AndTheFileHoldsItAfterClose() {
    app::Program& program = makeProgram();
    QVERIFY(!program.start({QStringLiteral("qxseek")}));
    ui::FrameWindow* frame = program.appl()->frame();
    bool answered = false;
    QTimer::singleShot(0, this, [&] {
        auto* dialog = qobject_cast<ui::OptionsDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        auto* languages = dialog->findChild<QComboBox*>(QStringLiteral("101"));
        languages->setCurrentIndex(languages->findData(QStringLiteral("rus")));
        dialog->accept();
        answered = true;
    });
    frame->execute(ui::cmd::Options);
    QVERIFY(answered);
    QCOMPARE(dialogs_->texts(), QStringList{qs(program.language().text(text::LanguageChanged))});
    QCOMPARE(program.languageCode(), std::string("enu")); // until the next start
    QCOMPARE(program.profile().readString("Options", "Language", "none"), std::string("none"));
    QVERIFY(frame->close());
    QCOMPARE(program.profile().readString("Options", "Language", ""), std::string("rus"));
}

// The options show the folder the Favorites export remembered; its button
// asks for a folder starting there, and OK keeps the choice for the export.
void AppTest::theOptionsChooseTheFolderTheFavoritesExportStartsIn() {
    dir_->write("qxseek.INI", "[Options]\nFavorites=/srv/links/old\n");
    app::Program& program = makeProgram();
    QVERIFY(!program.start({QStringLiteral("qxseek")}));
    ui::FrameWindow* frame = program.appl()->frame();
    for (const bool accept : {false, true}) {
        QString shown;
        QString chosen;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<ui::OptionsDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            auto* folder = dialog->findChild<ui::FolderField*>(QStringLiteral("142"));
            QVERIFY(folder);
            shown = folder->field().text();
            dialogs_->chooseNext(QStringLiteral("/srv/links/new"));
            QTest::mouseClick(&folder->button(), Qt::LeftButton);
            chosen = folder->field().text();
            accept ? dialog->accept() : dialog->reject();
        });
        frame->execute(ui::cmd::Options);
        QCOMPARE(shown, QStringLiteral("/srv/links/old"));
        QCOMPARE(chosen, QStringLiteral("/srv/links/new"));
        QCOMPARE(dialogs_->requests().back().folder, QStringLiteral("/srv/links/old"));
        QCOMPARE(program.profile().readString("Options", "Favorites", ""),
                 std::string(accept ? "/srv/links/new" : "/srv/links/old"));
    }
}

void AppTest::f1AsksForTheHelpOfTheFocusedWindow() {
    app::Program& program = makeProgram();
    QVERIFY(!program.start({QStringLiteral("qxseek")}));
    ui::FrameWindow* frame = program.appl()->frame();
    QApplication::setActiveWindow(frame);
    QVERIFY(QTest::qWaitForWindowActive(frame));
    QCOMPARE(help_->helpFile(), qs(program.language().helpFile()));
    frame->view()->tree2()->setFocus();
    QTest::keyClick(frame->view()->tree2(), Qt::Key_F1);
    QCOMPARE(help_->urls.size(), 1);
    QCOMPARE(help_->urls[0].fragment(), QStringLiteral("ctx6"));
    QVERIFY(help_->urls[0].toLocalFile().endsWith(QStringLiteral("/qxenu.html")));
    frame->toolBar()->setFocus();
    QTest::keyClick(frame->toolBar(), Qt::Key_F1);
    QCOMPARE(help_->urls.size(), 2);
    QVERIFY(!help_->urls[1].hasFragment()); // the contents
}

void AppTest::helpModeShowsTheHelpOfTheChosenCommandInsteadOfRunningIt() {
    ui::FrameWindow* frame = startWithAChangedDocument();
    QVERIFY(frame);

    QTest::keyClick(frame->view()->tree1(), Qt::Key_F1, Qt::ShiftModifier);
    QVERIFY(help_->urls.isEmpty());
    frame->action(ui::cmd::FileSave)->trigger();
    QCOMPARE(help_->urls.size(), 1);
    QCOMPARE(help_->urls[0].fragment(), QStringLiteral("ctx24330"));
    QVERIFY(dialogs_->requests().empty()); // the save did not run

    // Esc leaves help mode; the next command runs.
    QTest::keyClick(frame->view()->tree1(), Qt::Key_F1, Qt::ShiftModifier);
    QTest::keyClick(frame->view()->tree1(), Qt::Key_Escape);
    frame->action(ui::cmd::FileSave)->trigger();
    QCOMPARE(help_->urls.size(), 1);
    QCOMPARE(dialogs_->requests().size(), 1u); // save asked for a name

    frame->execute(ui::cmd::HelpOnHelp);
    QCOMPARE(help_->urls.last().fragment(), QStringLiteral("contents"));
}

void AppTest::heldF1AsksOnceAndIsForgottenWhenTheProgramLosesTheKeyboard() {
    ui::FrameWindow* frame = startWithAChangedDocument();
    QVERIFY(frame);
    QWidget* tree = frame->view()->tree2();
    tree->setFocus();

    QKeyEvent press(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(tree, &press);
    for (int i = 0; i < 5; ++i) {
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(tree, &repeat);
    }
    QCOMPARE(help_->urls.size(), 1);

    // F1 goes up in the browser that help opened: the next command runs.
    QEvent away(QEvent::ApplicationDeactivate);
    QApplication::sendEvent(qApp, &away);
    frame->action(ui::cmd::FileSave)->trigger();
    QCOMPARE(help_->urls.size(), 1);
    QCOMPARE(dialogs_->requests().size(), 1u); // save asked for a name

    // Help mode on a recent file shows the file menu's help.
    QTest::keyClick(tree, Qt::Key_F1, Qt::ShiftModifier);
    frame->execute(ui::cmd::RecentFile0);
    QCOMPARE(help_->urls.size(), 2);
    QCOMPARE(help_->urls[1].fragment(),
             QStringLiteral("ctx%1").arg(frame->helpContextOfCommand(ui::cmd::FileOpen)));
    QCOMPARE(help_->urls[1].fragment(), QStringLiteral("ctx24330"));
}

void AppTest::aSystemColourChangeDrawsTheToolBarAgain() {
    app::Program& program = makeProgram();
    QVERIFY(!program.start({QStringLiteral("qxseek")}));
    QAction* open = program.appl()->frame()->action(ui::cmd::FileOpen);
    const QImage before = open->icon().pixmap(20, 20).toImage();
    const QPalette original = QApplication::palette();
    QPalette changed = original;
    changed.setColor(QPalette::ButtonText, Qt::magenta);
    QApplication::setPalette(changed);
    spin(50);
    const QImage after = open->icon().pixmap(20, 20).toImage();
    QApplication::setPalette(original);
    spin(50);
    QVERIFY(before != after);
}

void AppTest::installRegistersTheDocumentTypeAndUninstallRemovesItAll() {
    app::Setup setup({paths_.executable, paths_.settingsFile, paths_.dataHome});
    {
        app::Program& program = makeProgram();
        program.setLanguagePicker([](const Language&, std::vector<Language::Entry> languages,
                                     const std::string& current) -> std::optional<std::string> {
            if (languages.size() != 2 || current != "enu")
                return std::nullopt;
            return "rus";
        });
        dialogs_->answerNext(mb::IdNo); // do not start now
        QCOMPARE(program.start({QStringLiteral("qxseek"), QStringLiteral("/INSTALL")}), 0);
        QCOMPARE(program.languageCode(), std::string("rus"));
        QCOMPARE(program.profile().readString("Options", "Language", ""), std::string("rus"));
        QCOMPARE(dialogs_->texts().last(), qs(program.language().text(text::InstallContinue)));
        program.finish(0);
    }
    QVERIFY(std::filesystem::exists(setup.mimeFile()));
    const std::string entry = TempDir::read(setup.desktopFile());
    QVERIFY(entry.find("Exec=" + app::Setup::execLine(paths_.executable)) != std::string::npos);
    QVERIFY(entry.find("MimeType=application/x-qxseek-document;") != std::string::npos);
    QVERIFY(TempDir::read(setup.mimeFile()).find("*.qxo") != std::string::npos);

    app::Program& program = makeProgram();
    dialogs_->answerNext(mb::IdYes);
    QCOMPARE(program.start({QStringLiteral("qxseek"), QStringLiteral("/uninstall")}), 0);
    program.finish(0);
    QVERIFY(!std::filesystem::exists(setup.mimeFile()));
    QVERIFY(!std::filesystem::exists(setup.desktopFile()));
    QVERIFY(!std::filesystem::exists(paths_.settingsFile));
}

void AppTest::anInstalledCopyNeedsNeitherInstallNorUninstall() {
    // The installed layout: <prefix>/lib/qxseek with the modules, and the
    // launcher entry the installation put in <prefix>/share.
    const std::string prefix = dir_->file("usr");
    const std::string folder = prefix + "/lib/qxseek";
    std::filesystem::create_directories(folder);
    std::filesystem::create_directories(prefix + "/share/applications");
    dir_->write("usr/share/applications/qxseek.desktop", "[Desktop Entry]\n");
    for (const char* module : {"qxenu.so", "qxrus.so"})
        std::filesystem::create_symlink(std::string(std::getenv("QX_PROGRAM_DIR")) + "/" + module,
                                        folder + "/" + module);
    paths_.executable = folder + "/qxseek";
    paths_.programFolder = folder;
    QVERIFY(SettingsLocation::installedCopy(folder));
    QVERIFY(!SettingsLocation::installedCopy(std::getenv("QX_PROGRAM_DIR")));

    for (const char* option : {"/install", "/uninstall"}) {
        dir_->write("qxseek.INI", "[Options]\nLanguage=enu\n");
        app::Program& program = makeProgram();
        QCOMPARE(program.start({QStringLiteral("qxseek"), QLatin1String(option)}), 0);
        QCOMPARE(dialogs_->texts().last(),
                 qs(program.language().text(text::InstalledCopyNeedsNoSetup)));
        program.finish(0);
        QVERIFY(!std::filesystem::exists(paths_.dataHome));
        QVERIFY(std::filesystem::exists(paths_.settingsFile));
    }
}

void AppTest::cancellingSetupsLanguageChoiceEndsTheProgram() {
    app::Program& program = makeProgram();
    program.setLanguagePicker([](const Language&, std::vector<Language::Entry>,
                                 const std::string&) { return std::nullopt; });
    QCOMPARE(program.start({QStringLiteral("qxseek"), QStringLiteral("/install")}), 0);
    QVERIFY(!program.appl());
    QVERIFY(!std::filesystem::exists(paths_.dataHome));
}

// With QX_SHOT_DIR set, pictures of the main window in both languages.
void AppTest::screenshots() {
    const char* folder = std::getenv("QX_SHOT_DIR");
    if (!folder)
        QSKIP("QX_SHOT_DIR is not set");
    for (const char* code : {"enu", "rus"}) {
        dir_->write("qxseek.INI", std::string("[Options]\nLanguage=") + code +
                                      "\n[Window]\nX=0\nY=0\nW=900\nH=600\n");
        app::Program& program = makeProgram();
        QVERIFY(!program.start({QStringLiteral("qxseek")}));
        spin(300);
        const QString prefix = QString::fromLocal8Bit(folder) + QLatin1Char('/');
        const QString suffix = QLatin1Char('-') + QLatin1String(code) + QStringLiteral(".png");
        ui::FrameWindow* frame = program.appl()->frame();
        if (frame->view() && !frame->view()->threadWindow())
            frame->execute(ui::cmd::ThreadWindow);
        spin(100);
        QVERIFY(frame->grab().save(prefix + QStringLiteral("main") + suffix));
        ui::OptionsDialog options(program.options(), program.language(),
                                  program.language().languages(), program.languageCode());
        options.show();
        QVERIFY(options.grab().save(prefix + QStringLiteral("options") + suffix));
        test::RecordingMessageBoxer boxes;
        ui::Browser browser(program.language(), boxes, "Norba Seek");
        ui::AboutBox about(program.language(), browser);
        about.show();
        QVERIFY(about.grab().save(prefix + QStringLiteral("about") + suffix));

        SearchProp search;
        search.query = "web organizer";
        search.total = 42;
        search.added = 17;
        search.time = platform::currentFileTime();
        search.serverinfo.append(new ServerInfoNode({1, 20, 9, Str(), search.time}));
        search.serverinfo.append(new ServerInfoNode({4, 22, 8, Str(), search.time}));
        search.serverinfo.append(new ServerInfoNode({32, 0, 0, Str("12029"), search.time}));
        const EngineTable engines(
            [&](int id) { return program.language().text(static_cast<unsigned>(id)); });
        ui::FindDialog find(search, &search, program.language(), engines, program.profile(),
                            program.options());
        find.show();
        QVERIFY(find.grab().save(prefix + QStringLiteral("find") + suffix));

        ObjPropDialogInfo info;
        info.name = "Norba Seek";
        info.props.title = "Norba Seek home page";
        info.props.url = "https://norbaseek.example.org/";
        info.props.modified = {2026, 11, 0, 6, 8, 49, 37, 0};
        info.props.charset = 1;
        info.props.size = 18342;
        info.props.servers = 0x25;
        info.orgprop = OrgProp{8750, 3};
        ui::ObjPropDialog properties(info, program.language(), engines);
        properties.show();
        QVERIFY(properties.grab().save(prefix + QStringLiteral("properties") + suffix));
        program_.reset();
    }
    const QPixmap strip = ui::ToolbarImages::strip(QApplication::palette());
    QVERIFY(strip.scaled(strip.size() * 4)
                .save(QString::fromLocal8Bit(folder) + QStringLiteral("/toolbar-images.png")));
}

QTEST_MAIN(AppTest)
#include "AppTest.moc"
