#include "ProgramDir.h"
#include "ScriptedDialogs.h"
#include "TempDir.h"
#include "doc/DocCommands.h"
#include "doc/DocTemplate.h"
#include "doc/DocumentWatch.h"
#include "doc/Editor.h"
#include "doc/FileDocumentStore.h"
#include "doc/MyDocManager.h"
#include "lang/DocMessages.h"
#include "lang/Language.h"
#include "model/DDoc.h"
#include "model/DocumentFile.h"
#include "model/OrgRef2.h"
#include "model/RefRoot.h"
#include "platform/DocumentLock.h"
#include "settings/Options.h"

#include <QProcess>
#include <QTest>
#include <filesystem>

using namespace qx;
using qx::test::ScriptedDialogs;
using qx::test::TempDir;

namespace {

// One window of the program, without trees: its document manager answering
// from a script.
struct Window {
    Window(const Language& language, const Options& options)
        : manager(std::make_unique<doc::MyDocManager>(viewTemplate, store, options, language,
                                                      dialogs)) {}
    DDoc& model() { return manager->document()->model(); }
    bool enabled(int command) {
        doc::CommandState state;
        return manager->commandState(command, state) && state.enabled;
    }

    doc::FileDocumentStore store;
    doc::DocTemplate viewTemplate;
    ScriptedDialogs dialogs;
    std::unique_ptr<doc::MyDocManager> manager;
};

// The names of the top folders of a document, comma-separated.
QString folders(DDoc& model) {
    QStringList names;
    for (Tree* node = model.orgroot().firstchild(); node; node = node->nextsibling())
        names << QString::fromUtf8(static_cast<Ref*>(node)->name().view());
    return names.join(QLatin1Char(','));
}

// A document with top folders of these names, written as another program
// writes it.
void writeFolders(const std::string& path, const QStringList& names) {
    DDoc doc;
    for (const QString& name : names)
        doc.createfolder(Str(name.toStdString()), doc.orgroot(), nullptr);
    QCOMPARE(saveDocument(path, doc), 0);
}

// Long enough for the watch to gather a burst of notices and look.
constexpr int kNoticed = 5000;

} // namespace

class DocumentSharingTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void aSecondWindowReadsOnlyUntilSaveAsTakesAnotherFile();
    void locksLeftOrHeldElsewhereAreTakenOverOrAsked();
    void aFolderWhereNoLockFileCanBeMadeOpensWithAWarning();
    void anOutsideChangeIsReadAgainAndOwnSavesAreNot();
    void anOutsideChangeUnderUnsavedChangesIsMergedReadOrKept();
    void aFileDeletedOrReplacedByAFolderIsToldAndTheDocumentStays();
    void theCommandLineToolWaitsForTheWindowUnlessForced();

private:
    QString path() const { return QString::fromStdString(file_); }
    std::unique_ptr<Window> window() { return std::make_unique<Window>(*language_, options_); }
    QString message(unsigned id, const std::string& detail = {}) const {
        return QString::fromStdString(language_->format(id, std::string("refs.qxo"), detail));
    }
    // Whether a text is the message of that number naming the holder.
    bool namesHolder(const QString& text, unsigned id, const platform::LockOwner& holder) const {
        const QString lead = message(id).section(QLatin1Char('('), 0, 0);
        return text.startsWith(lead) && text.contains(QString::fromStdString(holder.user)) &&
               text.contains(QStringLiteral(" ") + QString::fromStdString(holder.host)) &&
               text.contains(QString::number(holder.pid));
    }

    std::unique_ptr<TempDir> dir_;
    std::unique_ptr<Language> language_;
    Options options_;
    std::string file_;
};

void DocumentSharingTest::init() {
    dir_ = std::make_unique<TempDir>();
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(dir_->file("data")));
    language_ = std::make_unique<Language>(test::programFolder());
    std::string code = "enu";
    QCOMPARE(language_->load(code), 0u);
    file_ = dir_->file("refs.qxo");
    writeFolders(file_, {QStringLiteral("A")});
}

void DocumentSharingTest::cleanup() {
    language_.reset();
    dir_.reset();
}

void DocumentSharingTest::aSecondWindowReadsOnlyUntilSaveAsTakesAnotherFile() {
    auto first = window();
    QVERIFY(first->manager->openPath(path()));
    QVERIFY(first->dialogs.boxes().empty());
    QVERIFY(!first->manager->readOnly());
    const std::string lockFile = platform::DocumentLock::pathFor(file_);
    QVERIFY(std::filesystem::exists(lockFile));

    // Told who holds it, the second may decline ...
    auto second = window();
    second->dialogs.answerNext(mb::IdNo);
    QVERIFY(!second->manager->openPath(path()));
    QVERIFY(!second->manager->document());
    const platform::LockOwner me = platform::DocumentLock::self();
    QCOMPARE(second->dialogs.texts().size(), 1);
    QVERIFY(namesHolder(second->dialogs.texts()[0], docmsg::HeldElsewhere, me));

    // ... or read it only: Save is off, and saving asks for another name.
    second->dialogs.answerNext(mb::IdYes);
    QVERIFY(second->manager->openPath(path()));
    QVERIFY(second->manager->readOnly());
    QCOMPARE(second->manager->shownTitle(), QStringLiteral("refs.qxo [read-only]"));
    second->model().createfolder(Str("B"), second->model().orgroot(), nullptr);
    second->manager->document()->setDirty(true);
    QVERIFY(!second->enabled(doc::cmd::FileSave));
    QVERIFY(second->enabled(doc::cmd::FileSaveAs));

    // Not over the file the first holds, though.
    second->dialogs.chooseNext(path());
    second->dialogs.answerNext(mb::IdYes); // replace it?
    QVERIFY(!second->manager->save());
    QVERIFY(namesHolder(second->dialogs.texts().last(), docmsg::TargetHeld, me));
    QVERIFY(second->manager->readOnly());

    const std::string copy = dir_->file("copy.qxo");
    second->dialogs.chooseNext(QString::fromStdString(copy));
    QVERIFY(second->manager->save());
    QVERIFY(!second->manager->readOnly());
    QCOMPARE(second->manager->shownTitle(), QStringLiteral("copy.qxo"));
    QVERIFY(std::filesystem::exists(platform::DocumentLock::pathFor(copy)));
    QVERIFY(std::filesystem::exists(lockFile)); // still the first's

    // Closing lets go of the lock; the program's end too.
    QVERIFY(first->manager->closeDocument());
    QVERIFY(!std::filesystem::exists(lockFile));
    second->manager->release();
    QVERIFY(!std::filesystem::exists(platform::DocumentLock::pathFor(copy)));
}

void DocumentSharingTest::locksLeftOrHeldElsewhereAreTakenOverOrAsked() {
    const std::string lockFile = platform::DocumentLock::pathFor(file_);
    // Left by a process of this computer that is gone: taken without a word.
    platform::LockOwner gone = platform::DocumentLock::self();
    gone.pid = 0x3FFFFF;
    dir_->write("refs.qxo.lock", gone.line());
    auto w = window();
    QVERIFY(w->manager->openPath(path()));
    QVERIFY(w->dialogs.boxes().empty());
    QVERIFY(!w->manager->readOnly());
    QVERIFY(w->manager->closeDocument());

    const platform::LockOwner me = platform::DocumentLock::self();
    platform::LockOwner laptop = me;
    laptop.host = "laptop.example";
    struct Case {
        int answer;
        bool opened;
        bool readOnly;
    };
    for (const Case c : {Case{mb::IdCancel, false, false}, Case{mb::IdNo, true, true},
                         Case{mb::IdYes, true, false}}) {
        dir_->write("refs.qxo.lock", laptop.line());
        auto other = window();
        other->dialogs.answerNext(c.answer);
        QCOMPARE(other->manager->openPath(path()), c.opened);
        QCOMPARE(other->dialogs.texts().size(), 1);
        QVERIFY(namesHolder(other->dialogs.texts()[0], docmsg::HeldOnOtherHost, laptop));
        QCOMPARE(other->manager->readOnly(), c.readOnly);
        // Taken over, the lock file names this program.
        const platform::LockOwner found = platform::LockOwner::parse(TempDir::read(lockFile));
        const bool ours = found.host == me.host && found.pid == me.pid;
        QCOMPARE(ours, c.answer == mb::IdYes);
    }
}

void DocumentSharingTest::aFolderWhereNoLockFileCanBeMadeOpensWithAWarning() {
    // Tests run as root, for whom no folder is read-only: a folder where the
    // lock file belongs stands for one.
    std::filesystem::create_directory(platform::DocumentLock::pathFor(file_));
    auto w = window();
    QVERIFY(w->manager->openPath(path()));
    QVERIFY(!w->manager->readOnly());
    QCOMPARE(w->dialogs.texts().size(), 1);
    QVERIFY(w->dialogs.texts()[0].startsWith(message(docmsg::NotProtected)));
    QVERIFY(w->enabled(doc::cmd::FileSaveAs));
}

void DocumentSharingTest::anOutsideChangeIsReadAgainAndOwnSavesAreNot() {
    auto w = window();
    QVERIFY(w->manager->openPath(path()));
    // Its own saves do not count, however often.
    for (int i = 0; i < 2; ++i) {
        w->manager->document()->setDirty(true);
        QVERIFY(w->manager->save());
    }
    const DDoc* before = &w->model();
    QTest::qWait(4 * doc::DocumentWatch::kSettleMs);
    QCOMPARE(&w->model(), before);

    static_cast<Ref*>(w->model().orgroot().firstchild())->addflags(Ref::Expanded);
    {
        doc::Editor::Change change(*w->manager->document());
        w->model().createfolder(Str("undone"), w->model().orgroot(), nullptr);
        w->manager->document()->modelChanged();
    }
    w->manager->document()->setDirty(false);
    QVERIFY(w->manager->document()->canUndo());

    writeFolders(file_, {QStringLiteral("A"), QStringLiteral("B")});
    QTRY_COMPARE_WITH_TIMEOUT(folders(w->model()), QStringLiteral("A,B"), kNoticed);
    QVERIFY(w->dialogs.boxes().empty());
    QVERIFY(!w->manager->document()->isDirty());
    QVERIFY(!w->manager->document()->canUndo());
    QVERIFY(static_cast<Ref*>(w->model().orgroot().firstchild())->hasflags(Ref::Expanded));

    // The watch goes on after the file was replaced.
    writeFolders(file_, {QStringLiteral("C")});
    QTRY_COMPARE_WITH_TIMEOUT(folders(w->model()), QStringLiteral("C"), kNoticed);
}

void DocumentSharingTest::anOutsideChangeUnderUnsavedChangesIsMergedReadOrKept() {
    auto w = window();
    QVERIFY(w->manager->openPath(path()));
    const QString question = message(docmsg::ChangedUnderEdits);
    auto change = [&](const QString& theirs, int answer) {
        const int asked = w->dialogs.texts().count(question);
        w->model().createfolder(Str("mine"), w->model().orgroot(), nullptr);
        w->manager->document()->setDirty(true);
        w->dialogs.answerNext(answer);
        writeFolders(file_, {QStringLiteral("A"), theirs});
        QTRY_COMPARE_WITH_TIMEOUT(w->dialogs.texts().count(question), asked + 1, kNoticed);
    };

    // Kept: nothing changes, and the next save asks before writing over theirs.
    change(QStringLiteral("B"), mb::IdCancel);
    QCOMPARE(folders(w->model()), QStringLiteral("A,mine"));
    QVERIFY(w->manager->document()->changedOnDisk());

    // Merged: theirs added, nothing of mine lost (A, deleted on disk by
    // nobody, and mine, which the disk never had), one step to take back.
    change(QStringLiteral("C"), mb::IdNo);
    QCOMPARE(folders(w->model()), QStringLiteral("A,mine,mine,C"));
    QVERIFY(w->manager->document()->isDirty());
    QVERIFY(!w->manager->document()->changedOnDisk());
    QVERIFY(w->manager->save());
    QCOMPARE(w->dialogs.texts().count(message(docmsg::ChangedOnDisk)), 0);

    // Read again: theirs alone.
    change(QStringLiteral("D"), mb::IdYes);
    QCOMPARE(folders(w->model()), QStringLiteral("A,D"));
    QVERIFY(!w->manager->document()->isDirty());
}

void DocumentSharingTest::aFileDeletedOrReplacedByAFolderIsToldAndTheDocumentStays() {
    auto w = window();
    QVERIFY(w->manager->openPath(path()));
    const QString told = message(docmsg::GoneFromDisk);
    std::filesystem::remove(file_);
    QTRY_COMPARE_WITH_TIMEOUT(w->dialogs.texts().count(told), 1, kNoticed);
    QCOMPARE(folders(w->model()), QStringLiteral("A"));

    std::filesystem::create_directory(file_);
    QTRY_COMPARE_WITH_TIMEOUT(w->dialogs.texts().count(told), 2, kNoticed);
    QCOMPARE(folders(w->model()), QStringLiteral("A"));
    QVERIFY(std::filesystem::is_directory(file_));
}

void DocumentSharingTest::theCommandLineToolWaitsForTheWindowUnlessForced() {
    auto w = window();
    QVERIFY(w->manager->openPath(path()));
    auto cli = [&](const QStringList& args) {
        QProcess tool;
        tool.start(QStringLiteral(QX_CLI_PATH), args);
        if (!tool.waitForFinished(30000))
            return -1;
        return tool.exitCode();
    };
    const std::string before = TempDir::read(file_);
    QCOMPARE(cli({QStringLiteral("add"), path(), QStringLiteral("http://x.example/")}), 1);
    QCOMPARE(TempDir::read(file_), before);
    QCOMPARE(cli({QStringLiteral("dump"), path()}), 0); // reading is never refused

    QCOMPARE(cli({QStringLiteral("add"), QStringLiteral("--force"), path(),
                  QStringLiteral("http://x.example/")}),
             0);
    QTRY_VERIFY_WITH_TIMEOUT(w->model().findpage("http://x.example") != nullptr, kNoticed);
    QVERIFY(w->dialogs.boxes().empty());
    // The window's lock outlives the forced write.
    QVERIFY(std::filesystem::exists(platform::DocumentLock::pathFor(file_)));
}

QTEST_MAIN(DocumentSharingTest)
#include "DocumentSharingTest.moc"
