#include "doc/RecoveryTimer.h"
#include "FakeStore.h"
#include "PlainView.h"
#include "ProgramDir.h"
#include "ScriptedDialogs.h"
#include "TempDir.h"
#include "doc/DocTemplate.h"
#include "doc/DocView.h"
#include "doc/Editor.h"
#include "doc/MyDocManager.h"
#include "lang/DocMessages.h"
#include "lang/Language.h"
#include "model/Container.h"
#include "model/DDoc.h"
#include "model/DocumentFile.h"
#include "platform/FileSystem.h"
#include "settings/Options.h"

#include <QTest>
#include <QWidget>
#include <cstdlib>
#include <filesystem>

using namespace qx;
using qx::test::FakeStore;
using qx::test::PlainView;
using qx::test::ScriptedDialogs;
using qx::test::TempDir;

namespace {

// A document manager with its recovery, as the program wires them.
struct Copy {
    Copy(const Language& language, const Options& options, const std::string& dataHome)
        : manager(docTemplate, store, options, language, dialogs), timer(manager, dataHome) {
        docTemplate.setViewFactory([](doc::Editor&) { return std::make_unique<PlainView>(); });
        QObject::connect(&manager, &doc::MyDocManager::saved, &timer, &doc::RecoveryTimer::drop);
        QObject::connect(&manager, &doc::MyDocManager::viewClosed, &timer,
                         &doc::RecoveryTimer::documentReplaced);
    }
    doc::DocTemplate docTemplate;
    FakeStore store;
    ScriptedDialogs dialogs;
    doc::MyDocManager manager;
    doc::RecoveryTimer timer;
};

} // namespace

class RecoveryTimerTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void unsavedWorkIsKeptWhileThereIsSomeAndGoesWithSaveAndClose();
    void aDocumentOpenInAnotherCopyIsKeptByThatCopyAlone();
    void aRecoveryFolderThatCannotBeWrittenIsToldOnce();
    void theIntervalComesFromTheOptionsOrTheEnvironment();

private:
    std::unique_ptr<TempDir> dir_;
    std::unique_ptr<Language> language_;
    Options options_;
};

void RecoveryTimerTest::init() {
    dir_ = std::make_unique<TempDir>();
    language_ = std::make_unique<Language>(test::programFolder());
    std::string code = "enu";
    QCOMPARE(language_->load(code), 0u);
}

void RecoveryTimerTest::cleanup() {
    language_.reset();
    dir_.reset();
}

void RecoveryTimerTest::unsavedWorkIsKeptWhileThereIsSomeAndGoesWithSaveAndClose() {
    Copy copy(*language_, options_, dir_->file("data"));
    const RecoveryFiles& files = copy.timer.files();
    QVERIFY(copy.manager.createNew());
    copy.timer.keep();
    QVERIFY(files.list().empty());

    // An untitled document: a name of its own that says so.
    copy.manager.document()->model().filedomainnode("http://host/a");
    copy.manager.document()->modelChanged();
    copy.timer.keep();
    QTRY_COMPARE(files.list().size(), std::size_t(1));
    const RecoveryFiles::Entry untitled = files.list()[0];
    QVERIFY(RecoveryFiles::isUntitled(untitled.document));
    DDoc back;
    QCOMPARE(loadDocument(untitled.file, back), 0);
    QCOMPARE(back.container().count(), copy.manager.document()->model().container().count());

    // Saved under a name: the work is in the document now.
    copy.dialogs.chooseNext(QString::fromStdString(dir_->file("refs.qxo")));
    QVERIFY(copy.manager.save());
    QVERIFY(files.list().empty());

    // Changed again: kept under the document's path, gone when it closes
    // without saving.
    copy.manager.document()->modelChanged();
    copy.timer.keep();
    QTRY_COMPARE(files.list().size(), std::size_t(1));
    QCOMPARE(files.list()[0].document, platform::resolvedPath(dir_->file("refs.qxo")));
    copy.dialogs.answerNext(mb::IdNo);
    QVERIFY(copy.manager.closeDocument());
    QVERIFY(files.list().empty());
    QVERIFY(copy.dialogs.texts().size() == 1); // only the question about saving
}

void RecoveryTimerTest::aDocumentOpenInAnotherCopyIsKeptByThatCopyAlone() {
    const QString path = QString::fromStdString(dir_->write("refs.qxo", FakeStore::kMagic));
    Copy first(*language_, options_, dir_->file("data"));
    Copy second(*language_, options_, dir_->file("data"));
    // The second is told the first holds the file and reads it only.
    second.dialogs.answerNext(mb::IdYes);
    for (Copy* copy : {&first, &second}) {
        QVERIFY(copy->manager.openPath(path));
        copy->manager.document()->modelChanged();
    }
    first.timer.keep();
    QTRY_COMPARE(first.timer.files().list().size(), std::size_t(1));
    const std::string kept = TempDir::read(first.timer.files().list()[0].file);
    second.manager.document()->model().filedomainnode("http://host/b");
    second.timer.keep();
    QTest::qWait(50);
    QCOMPARE(TempDir::read(first.timer.files().list()[0].file), kept);
    // Once the first lets go, the second takes over.
    first.manager.document()->setDirty(false);
    first.timer.keep();
    second.timer.keep();
    QTRY_VERIFY(!first.timer.files().list().empty() &&
                TempDir::read(first.timer.files().list()[0].file) != kept);
}

void RecoveryTimerTest::aRecoveryFolderThatCannotBeWrittenIsToldOnce() {
    std::filesystem::create_directories(dir_->file("data"));
    dir_->write("data/qxseek", "a file where the folder should be");
    Copy copy(*language_, options_, dir_->file("data"));
    QVERIFY(copy.manager.createNew());
    for (int i = 0; i < 3; ++i) {
        copy.manager.document()->model().filedomainnode("http://host/" + std::to_string(i));
        copy.manager.document()->modelChanged();
        copy.timer.keep();
    }
    QCOMPARE(copy.dialogs.boxes().size(), std::size_t(1));
    QVERIFY(copy.dialogs.texts()[0].startsWith(QStringLiteral("The unsaved changes of Untitled")));
}

void RecoveryTimerTest::theIntervalComesFromTheOptionsOrTheEnvironment() {
    Options options;
    qunsetenv("QXSEEK_RECOVERY_SECONDS");
    QCOMPARE(doc::RecoveryTimer::intervalOf(options), 5 * 60 * 1000);
    options.recoveryMinutes = 0;
    QCOMPARE(doc::RecoveryTimer::intervalOf(options), 0);
    qputenv("QXSEEK_RECOVERY_SECONDS", "2");
    QCOMPARE(doc::RecoveryTimer::intervalOf(options), 2000);
    qputenv("QXSEEK_RECOVERY_SECONDS", "nonsense");
    QCOMPARE(doc::RecoveryTimer::intervalOf(options), 0);
    qunsetenv("QXSEEK_RECOVERY_SECONDS");
}

QTEST_MAIN(RecoveryTimerTest)
#include "RecoveryTimerTest.moc"
