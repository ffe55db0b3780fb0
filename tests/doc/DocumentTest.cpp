#include "FakeStore.h"
#include "PlainView.h"
#include "ProgramDir.h"
#include "ScriptedDialogs.h"
#include "TempDir.h"
#include "doc/DocCommands.h"
#include "doc/DocTemplate.h"
#include "doc/DocView.h"
#include "doc/Editor.h"
#include "doc/FileDocumentStore.h"
#include "doc/MyDocManager.h"
#include "doc/QtUserDialogs.h"
#include "lang/DocMessages.h"
#include "lang/Language.h"
#include "lang/TextIds.h"
#include "model/DDoc.h"
#include "model/DocumentBackups.h"
#include "model/RefRoot.h"
#include "settings/Options.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QMainWindow>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <filesystem>
#include <functional>

using namespace qx;
using qx::test::FakeStore;
using qx::test::PlainView;
using qx::test::ScriptedDialogs;
using qx::test::TempDir;

namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

class DocumentTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void untitledDocumentIsNamedByString32503();
    void extensionIsWhatFollowsTheLastDotOfTheName();
    void htmlAndExtensionlessPathsFailWithoutReading();
    void aFailedOpenKeepsTheCurrentDocument();
    void openingAnotherDocumentAsksAboutUnsavedChanges();
    void revertReadsTheFileAgain();
    void aFailedSaveKeepsTheChangedFlagAndTheOldFile();
    void savingIntoAFolderThatIsAFileFails();
    void aSavedDocumentFileOpensWithItsFolders();
    void savingANewDocumentAsksForANameAndOffersQxo();
    void saveAsOverAnExistingFileAsksFirst();
    void commandsFollowTheDocumentsState();
    void dialogsTakeTheirButtonsAndCaptionsFromTheLanguage();
    void messageBoxesAreCentredOnTheWindow();
    void savingOverAFileChangedOnDiskAsksFirst();
    void theFirstSaveAfterOpeningKeepsTheFileAsABackup();
    void aBackupThatCannotBeKeptIsToldAndTheSaveGoesOn();

private:
    QString writeDocument(const QString& name, const std::string& content = FakeStore::kMagic);
    QString message(unsigned id, const QString& title) const;

    std::unique_ptr<TempDir> dir_;
    std::unique_ptr<Language> language_;
    Options options_;
    FakeStore store_;
    ScriptedDialogs* dialogs_ = nullptr;
    std::unique_ptr<ScriptedDialogs> dialogsOwner_;
    doc::DocTemplate template_;
    std::unique_ptr<doc::MyDocManager> manager_;
};

void DocumentTest::init() {
    dir_ = std::make_unique<TempDir>();
    // Backups go to the test's own folder, never the user's.
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(dir_->file("data")));
    language_ = std::make_unique<Language>(test::programFolder());
    std::string code = "enu";
    QCOMPARE(language_->load(code), 0u);
    store_ = FakeStore();
    dialogsOwner_ = std::make_unique<ScriptedDialogs>();
    dialogs_ = dialogsOwner_.get();
    template_.setDescription(qs(language_->text(text::DocumentFilterDescription)));
    template_.setViewFactory([](doc::Editor&) { return std::make_unique<PlainView>(); });
    manager_ =
        std::make_unique<doc::MyDocManager>(template_, store_, options_, *language_, *dialogs_);
}

void DocumentTest::cleanup() {
    manager_.reset();
    dialogsOwner_.reset();
    language_.reset();
    dir_.reset();
}

QString DocumentTest::writeDocument(const QString& name, const std::string& content) {
    return qs(dir_->write(name.toStdString(), content));
}

QString DocumentTest::message(unsigned id, const QString& title) const {
    return qs(language_->text(id)).replace(QStringLiteral("%s"), title);
}

void DocumentTest::untitledDocumentIsNamedByString32503() {
    QVERIFY(manager_->createNew());
    QCOMPARE(manager_->document()->title(), QStringLiteral("Untitled"));
    manager_->document()->setPath(QStringLiteral("/some/where/refs.qxo"));
    QCOMPARE(manager_->document()->title(), QStringLiteral("refs.qxo"));
    manager_->document()->setPath(QString());
    QCOMPARE(manager_->document()->title(), QStringLiteral("Untitled"));
}

void DocumentTest::extensionIsWhatFollowsTheLastDotOfTheName() {
    QCOMPARE(doc::Editor::extensionOf(QStringLiteral("/a/b.c/refs.qxo")), QStringLiteral("qxo"));
    QCOMPARE(doc::Editor::extensionOf(QStringLiteral("/a/b.c/refs")), QString());
    QCOMPARE(doc::Editor::extensionOf(QStringLiteral("c:\\x.y\\refs")), QString());
    QCOMPARE(doc::Editor::extensionOf(QStringLiteral("x.y:refs")), QString());
    QCOMPARE(doc::Editor::extensionOf(QStringLiteral("refs.")), QString());
    QCOMPARE(doc::Editor::extensionOf(QStringLiteral("page.HTML")), QStringLiteral("HTML"));
}

void DocumentTest::htmlAndExtensionlessPathsFailWithoutReading() {
    QVERIFY(manager_->createNew());
    doc::Editor* first = manager_->document();
    // Only *.qxo matches the template, whatever else the file holds.
    const QString html = writeDocument(QStringLiteral("page.HTML"));
    const QString bare = writeDocument(QStringLiteral("refs"));
    const QString htm = writeDocument(QStringLiteral("refs.htm"));
    const QString text = writeDocument(QStringLiteral("d.txt"));
    for (const QString& path : {html, bare, htm, text}) {
        QVERIFY(!manager_->openPath(path));
        QCOMPARE(store_.reads, 0);
        QCOMPARE(manager_->document(), first);
    }
    QCOMPARE(dialogs_->texts().size(), 4);
    QCOMPARE(dialogs_->texts().at(0), message(docmsg::NoTemplate, QStringLiteral("page.HTML")));
    QCOMPARE(dialogs_->boxes().at(0).caption, std::string("page.HTML"));
    QCOMPARE(dialogs_->texts().at(3), message(docmsg::NoTemplate, QStringLiteral("d.txt")));

    // A path typed relative to the working folder is kept absolute.
    writeDocument(QStringLiteral("Refs.QXO"));
    const QString previous = QDir::currentPath();
    QDir::setCurrent(qs(dir_->path()));
    const bool opened = manager_->openPath(QStringLiteral("Refs.QXO"));
    QDir::setCurrent(previous);
    QVERIFY(opened);
    QCOMPARE(store_.reads, 1);
    QCOMPARE(manager_->document()->path(), qs(dir_->file("Refs.QXO")));
}

void DocumentTest::aFailedOpenKeepsTheCurrentDocument() {
    QVERIFY(manager_->createNew());
    doc::Editor* first = manager_->document();
    first->setDirty(true);
    for (int answer : {mb::IdNo, mb::IdOk, mb::IdNo}) // do not save; the failure; do not save
        dialogs_->answerNext(answer);
    QVERIFY(!manager_->openPath(qs(dir_->file("missing.qxo"))));
    QVERIFY(!manager_->openPath(writeDocument(QStringLiteral("other.qxo"), "not a document")));
    QCOMPARE(manager_->document(), first);
    QVERIFY(first->isDirty());
    const QStringList texts = dialogs_->texts();
    QCOMPARE(texts.size(), 4);
    QCOMPARE(texts.at(1), message(docmsg::FileNotFound, QStringLiteral("missing.qxo")));
    QCOMPARE(texts.at(3), message(docmsg::NotADocument, QStringLiteral("other.qxo")));
}

void DocumentTest::openingAnotherDocumentAsksAboutUnsavedChanges() {
    QSignalSpy created(manager_.get(), &doc::MyDocManager::documentCreated);
    QVERIFY(manager_->createNew());
    doc::Editor* first = manager_->document();
    first->setDirty(true);
    const QString second = writeDocument(QStringLiteral("second.qxo"));

    dialogs_->answerNext(mb::IdCancel);
    QVERIFY(!manager_->openPath(second));
    QCOMPARE(manager_->document(), first);
    QCOMPARE(store_.reads, 0); // asked before reading
    QCOMPARE(dialogs_->texts().at(0), message(docmsg::SaveChanges, QStringLiteral("Untitled")));
    QVERIFY(dialogs_->boxes().at(0).style & mb::IconQuestion);

    dialogs_->answerNext(mb::IdNo);
    QVERIFY(manager_->openPath(second));
    QCOMPARE(manager_->document()->path(), second);
    QVERIFY(!manager_->document()->isDirty());
    QCOMPARE(created.size(), 1);
    QCOMPARE(created.at(0).at(0).toString(), second);
}

void DocumentTest::revertReadsTheFileAgain() {
    const QString path =
        writeDocument(QStringLiteral("refs.qxo"), std::string(FakeStore::kMagic) + "1");
    QVERIFY(manager_->openPath(path));
    auto* view = static_cast<PlainView*>(manager_->view());
    const DDoc* before = &manager_->document()->model();
    manager_->document()->setDirty(true);

    dialogs_->answerNext(mb::IdNo); // keep the changes after all
    QVERIFY(!manager_->revert());
    QCOMPARE(store_.reads, 1);

    writeDocument(QStringLiteral("refs.qxo"), std::string(FakeStore::kMagic) + "2");
    dialogs_->answerNext(mb::IdYes);
    QVERIFY(manager_->execute(doc::cmd::FileRevert));
    QCOMPARE(store_.reads, 2);
    QCOMPARE(store_.lastRead, std::string(FakeStore::kMagic) + "2");
    QVERIFY(&manager_->document()->model() != before);
    QVERIFY(!manager_->document()->isDirty());
    QCOMPARE(view->closed, 1);
    QCOMPARE(view->reloaded, 1);
}

void DocumentTest::aFailedSaveKeepsTheChangedFlagAndTheOldFile() {
    const QString path =
        writeDocument(QStringLiteral("refs.qxo"), std::string(FakeStore::kMagic) + "old");
    QVERIFY(manager_->openPath(path));
    manager_->document()->setDirty(true);
    store_.failWrites = true;
    QVERIFY(!manager_->save());
    QVERIFY(manager_->document()->isDirty());
    QCOMPARE(TempDir::read(path.toStdString()), std::string(FakeStore::kMagic) + "old");
    QCOMPARE(dialogs_->texts().last(), message(docmsg::CannotSave, QStringLiteral("refs.qxo")));

    store_.failWrites = false;
    QVERIFY(manager_->save());
    QVERIFY(!manager_->document()->isDirty());
    QCOMPARE(TempDir::read(path.toStdString()), std::string(FakeStore::kMagic) + "1");
}

void DocumentTest::savingIntoAFolderThatIsAFileFails() {
    // Tests run as root, for whom no folder is read-only: a folder that is a
    // regular file makes the save fail instead.
    const std::string notAFolder = dir_->write("plain", "a file");
    const QString path = qs(notAFolder + "/refs.qxo");
    doc::FileDocumentStore files;
    for (doc::DocumentStore* store :
         {static_cast<doc::DocumentStore*>(&files), static_cast<doc::DocumentStore*>(&store_)}) {
        doc::Editor editor(*store, options_, *language_);
        editor.setPath(path);
        editor.setDirty(true);
        QVERIFY(!editor.save());
        QVERIFY(editor.isDirty());
        QCOMPARE(TempDir::read(notAFolder), std::string("a file"));
    }
}

void DocumentTest::aSavedDocumentFileOpensWithItsFolders() {
    doc::FileDocumentStore files;
    const QString path = qs(dir_->file("kept.qxo"));
    {
        doc::Editor editor(files, options_, *language_);
        editor.setPath(path);
        editor.model().createfolder(Str("Reading"), editor.model().orgroot(), nullptr);
        QVERIFY(editor.save());
    }
    doc::Editor reopened(files, options_, *language_);
    reopened.setPath(path);
    QVERIFY(reopened.open());
    QCOMPARE(reopened.lastResult(), 0);
    auto* folder = static_cast<RefTree*>(reopened.model().orgroot().firstchild());
    QVERIFY(folder != nullptr);
    QCOMPARE(folder->name().c_str(), "Reading");
}

void DocumentTest::savingANewDocumentAsksForANameAndOffersQxo() {
    QSignalSpy savedAs(manager_.get(), &doc::MyDocManager::documentSavedAs);
    QSignalSpy titles(manager_.get(), &doc::MyDocManager::titleChanged);
    QVERIFY(manager_->createNew());
    manager_->document()->setDirty(true);
    const QString path = qs(dir_->file("new.qxo"));
    dialogs_->chooseNext(path);
    QVERIFY(manager_->execute(doc::cmd::FileSave));
    QCOMPARE(dialogs_->requests().size(), 1u);
    QCOMPARE(dialogs_->requests()[0].defaultSuffix, QStringLiteral("qxo"));
    QCOMPARE(dialogs_->requests()[0].filter, QStringLiteral("Norba Seek documents (*.qxo)"));
    QCOMPARE(manager_->document()->path(), path);
    QVERIFY(!manager_->document()->isDirty());
    QCOMPARE(savedAs.size(), 1);
    QCOMPARE(titles.last().at(0).toString(), QStringLiteral("new.qxo"));
    QCOMPARE(store_.writes, 1);
}

void DocumentTest::saveAsOverAnExistingFileAsksFirst() {
    const QString existing = writeDocument(QStringLiteral("taken.qxo"), "precious");
    QVERIFY(manager_->createNew());
    dialogs_->chooseNext(existing);
    dialogs_->answerNext(mb::IdNo);
    QVERIFY(!manager_->saveAs());
    QCOMPARE(dialogs_->texts().at(0), message(docmsg::Overwrite, QStringLiteral("taken.qxo")));
    QCOMPARE(dialogs_->requests().size(), 2u); // No asked for another name, then none

    QCOMPARE(TempDir::read(existing.toStdString()), std::string("precious"));
    QCOMPARE(manager_->document()->path(), QString());

    // No, then another name: saved there, the taken file left alone.
    const QString other = qs(dir_->file("other.qxo"));
    dialogs_->chooseNext(existing);
    dialogs_->answerNext(mb::IdNo);
    dialogs_->chooseNext(other);
    QVERIFY(manager_->saveAs());
    QCOMPARE(manager_->document()->path(), other);
    QCOMPARE(TempDir::read(existing.toStdString()), std::string("precious"));

    dialogs_->chooseNext(existing);
    dialogs_->answerNext(mb::IdYes);
    QVERIFY(manager_->saveAs());
    QCOMPARE(TempDir::read(existing.toStdString()), std::string(FakeStore::kMagic) + "2");
}

// Answers the dialog that opens next, once it shows, after noting its words.
class DialogWatcher : public QObject {
public:
    explicit DialogWatcher(std::function<void(QWidget&)> answer) : answer_(std::move(answer)) {
        timer_.callOnTimeout([this] {
            if (QWidget* dialog = QApplication::activeModalWidget();
                dialog && dialog->isVisible()) {
                timer_.stop();
                answer_(*dialog);
            }
        });
        timer_.start(10);
    }

private:
    std::function<void(QWidget&)> answer_;
    QTimer timer_;
};

void DocumentTest::dialogsTakeTheirButtonsAndCaptionsFromTheLanguage() {
    std::string code = "rus";
    QCOMPARE(language_->load(code), 0u);
    doc::QtUserDialogs dialogs;
    dialogs.useLanguage(language_.get());
    QStringList words;
    {
        DialogWatcher watcher([&](QWidget& dialog) {
            auto& box = static_cast<QMessageBox&>(dialog);
            words << box.button(QMessageBox::Yes)->text() << box.button(QMessageBox::No)->text();
            box.button(QMessageBox::No)->click();
        });
        QCOMPARE(dialogs.show("text", "caption", mb::YesNo), int(mb::IdNo));
    }
    QCOMPARE(words, (QStringList{qs(language_->text(text::ButtonYes)),
                                 qs(language_->text(text::ButtonNo))}));
    QCOMPARE(words.at(1), QStringLiteral("&Нет"));
    {
        DialogWatcher watcher([&](QWidget& dialog) {
            words << dialog.windowTitle();
            static_cast<QDialog&>(dialog).reject();
        });
        QCOMPARE(dialogs.saveFileName(
                     {QStringLiteral("*.qxo"), QStringLiteral("qxo"), qs(dir_->path())}),
                 QString());
    }
    QCOMPARE(words.last(), qs(language_->text(text::SaveAsCaption)));
}

// Whether the window is active or not (another program took the focus), a
// message box opens centred on it at its final size, long text or short.
void DocumentTest::messageBoxesAreCentredOnTheWindow() {
    QMainWindow window;
    window.setGeometry(40, 60, 900, 700);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    doc::QtUserDialogs dialogs;
    const std::string long_(400, 'x');
    for (const bool active : {false, true}) {
        if (active) {
            window.activateWindow();
            QTRY_COMPARE(QApplication::activeWindow(), &window);
        }
        for (const std::string& message : {std::string("short"), long_}) {
            QPoint centre;
            QWidget* parent = nullptr;
            DialogWatcher watcher([&](QWidget& box) {
                centre = box.frameGeometry().center();
                parent = box.parentWidget();
                static_cast<QMessageBox&>(box).button(QMessageBox::Ok)->click();
            });
            QCOMPARE(dialogs.show(message, "caption", mb::Ok), int(mb::IdOk));
            QCOMPARE(parent, &window);
            const QPoint off = centre - window.frameGeometry().center();
            QVERIFY2(off.manhattanLength() <= 2,
                     qPrintable(QStringLiteral("off by %1,%2").arg(off.x()).arg(off.y())));
        }
    }
}

void DocumentTest::commandsFollowTheDocumentsState() {
    auto state = [&](int id) {
        doc::CommandState s;
        return manager_->commandState(id, s) && s.enabled;
    };
    QVERIFY(state(doc::cmd::FileNew) && state(doc::cmd::FileOpen));
    QVERIFY(!state(doc::cmd::FileSave) && !state(doc::cmd::FileClose));
    QVERIFY(manager_->createNew());
    QVERIFY(!state(doc::cmd::FileSave) && state(doc::cmd::FileSaveAs));
    QVERIFY(!state(doc::cmd::FileRevert));
    manager_->document()->setDirty(true);
    QVERIFY(state(doc::cmd::FileSave));
    QVERIFY(!state(doc::cmd::FileRevert)); // nothing to read again
    dialogs_->answerNext(mb::IdNo);
    QVERIFY(manager_->openPath(writeDocument(QStringLiteral("refs.qxo"))));
    manager_->document()->setDirty(true);
    QVERIFY(state(doc::cmd::FileRevert));
    doc::CommandState other;
    QVERIFY(!manager_->commandState(500, other));

    dialogs_->answerNext(mb::IdNo);
    QVERIFY(manager_->execute(doc::cmd::FileClose));
    QVERIFY(!manager_->document());
    QVERIFY(!state(doc::cmd::FileSaveAs));
}

void DocumentTest::savingOverAFileChangedOnDiskAsksFirst() {
    const QString path =
        writeDocument(QStringLiteral("refs.qxo"), std::string(FakeStore::kMagic) + "old");
    QVERIFY(manager_->openPath(path));
    manager_->document()->setDirty(true);
    QVERIFY(manager_->save());
    QVERIFY(dialogs_->texts().isEmpty()); // its own save is no outside change
    QVERIFY(!manager_->document()->changedOnDisk());

    const std::string theirs = std::string(FakeStore::kMagic) + "their longer version";
    dir_->write("refs.qxo", theirs);
    QVERIFY(manager_->document()->changedOnDisk());
    manager_->document()->setDirty(true);
    dialogs_->answerNext(mb::IdNo);
    QVERIFY(!manager_->save());
    QCOMPARE(dialogs_->texts().last(), message(docmsg::ChangedOnDisk, QStringLiteral("refs.qxo")));
    QCOMPARE(TempDir::read(path.toStdString()), theirs);
    QVERIFY(manager_->document()->isDirty());

    dialogs_->answerNext(mb::IdYes);
    QVERIFY(manager_->save());
    QCOMPARE(TempDir::read(path.toStdString()), std::string(FakeStore::kMagic) + "2");
    QVERIFY(!manager_->document()->changedOnDisk());

    // A file removed under the document counts as changed too.
    std::filesystem::remove(path.toStdString());
    QVERIFY(manager_->document()->changedOnDisk());
}

void DocumentTest::theFirstSaveAfterOpeningKeepsTheFileAsABackup() {
    const std::string old = std::string(FakeStore::kMagic) + "as opened";
    const QString path = writeDocument(QStringLiteral("refs.qxo"), old);
    const DocumentBackups backups(dir_->file("data"),
                                  platform::resolvedPath(dir_->file("refs.qxo")));
    QVERIFY(manager_->openPath(path));
    for (int i = 0; i < 3; ++i) {
        manager_->document()->setDirty(true);
        QVERIFY(manager_->save());
    }
    QCOMPARE(backups.list().size(), 1u);
    QCOMPARE(TempDir::read(backups.list()[0]), old);

    // Each opening keeps one more; the newest three stay.
    for (int i = 0; i < 4; ++i) {
        QVERIFY(manager_->openPath(path));
        manager_->document()->setDirty(true);
        QVERIFY(manager_->save());
    }
    QCOMPARE(backups.list().size(), 3u);
    QCOMPARE(TempDir::read(backups.list()[0]), std::string(FakeStore::kMagic) + "6");
    QVERIFY(dialogs_->texts().isEmpty());

    // A document saved for the first time has nothing to keep.
    QVERIFY(manager_->createNew());
    manager_->document()->setDirty(true);
    dialogs_->chooseNext(qs(dir_->file("fresh.qxo")));
    QVERIFY(manager_->save());
    QVERIFY(DocumentBackups(dir_->file("data"), dir_->file("fresh.qxo")).list().empty());
}

void DocumentTest::aBackupThatCannotBeKeptIsToldAndTheSaveGoesOn() {
    dir_->write("data", "a file where the data folder should be");
    const QString path =
        writeDocument(QStringLiteral("refs.qxo"), std::string(FakeStore::kMagic) + "old");
    QVERIFY(manager_->openPath(path));
    manager_->document()->setDirty(true);
    QVERIFY(manager_->save());
    QCOMPARE(dialogs_->texts(),
             QStringList{message(docmsg::CannotBackUp, QStringLiteral("refs.qxo"))});
    QCOMPARE(TempDir::read(path.toStdString()), std::string(FakeStore::kMagic) + "1");
    QCOMPARE(TempDir::read(dir_->file("data")),
             std::string("a file where the data folder should be"));
    // Told once for each opening.
    manager_->document()->setDirty(true);
    QVERIFY(manager_->save());
    QCOMPARE(dialogs_->texts().size(), 1);
}

QTEST_MAIN(DocumentTest)
#include "DocumentTest.moc"
