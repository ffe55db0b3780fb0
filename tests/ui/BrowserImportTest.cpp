#include "ShownDocument.h"
#include "TempDir.h"
#include "doc/Editor.h"
#include "exchange/PageFiling.h"
#include "model/DDoc.h"
#include "model/Object.h"
#include "model/OrgRef2.h"
#include "model/RefRoot.h"
#include "model/UrlRef.h"
#include "ui/Commands.h"
#include "ui/FrameWindow.h"
#include "ui/ProgressRun.h"

#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <sqlite3.h>
#include <thread>

using namespace qx;

namespace {

// Firefox's microseconds since 1970 of 2023-11-14.
constexpr long long kAdded = 1700000000000000LL;

void writeFile(const std::string& path, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// A Chromium profile's store: two web bookmarks, one in a folder, and a
// bookmarklet the import leaves out.
// (Written without a raw string literal, which moc does not read.)
const char* const kChromiumBookmarks =
    "{\"checksum\": \"\", \"roots\": {"
    "\"bookmark_bar\": {\"type\": \"folder\", \"name\": \"Bookmarks bar\", \"children\": ["
    "{\"type\": \"url\", \"name\": \"Example\", \"url\": \"https://example.org/\","
    " \"date_added\": \"13285932710000000\"},"
    "{\"type\": \"folder\", \"name\": \"News\", \"children\": ["
    "{\"type\": \"url\", \"name\": \"Paper\", \"url\": \"https://news.example/paper\"}]},"
    "{\"type\": \"url\", \"name\": \"Script\", \"url\": \"javascript:void 0\"}]},"
    "\"other\": {\"type\": \"folder\", \"name\": \"Other bookmarks\", \"children\": []}},"
    "\"version\": 1}";

// The references under a node, however deep.
int referencesUnder(const Ref& top) {
    int count = 0;
    for (const Tree* n = top.firstchild(); n; n = n->nextpreorder(&top))
        count += static_cast<const Ref*>(n)->target() ? 1 : 0;
    return count;
}

const Ref* topFolder(DDoc& model, std::string_view name) {
    for (Tree* n = model.orgroot().firstchild(); n; n = n->nextsibling())
        if (static_cast<Ref*>(n)->name().view() == name)
            return static_cast<Ref*>(n);
    return nullptr;
}

} // namespace

// File > Import from Browser and File > Export as XBEL through the window's
// commands, on a home folder holding a Chromium and a Firefox profile.
class BrowserImportTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void profilesAreListedByBrowserWithTheirCounts();
    void aProfileImportsAsOneUndoStepAndAgainAddsNothing();
    void aDamagedStoreChosenByHandChangesNothing();
    void aLongReadShowsProgressAndCancelDropsIt();
    void xbelExportIsReadBackByImportBookmarks();

private:
    void writeFirefoxProfile();
    // Runs the command with the profile dialog answered by the script.
    void importWith(const std::function<void(QDialog&)>& script);
    QTreeWidget& profiles(QDialog& dialog);

    std::unique_ptr<test::ShownSetup> setup_;
    std::unique_ptr<test::ShownDocument> doc_;
    std::string home_;
    QByteArray oldHome_;
    QByteArray oldConfig_;
};

void BrowserImportTest::init() {
    setup_ = std::make_unique<test::ShownSetup>();
    QVERIFY(setup_->loadLanguage("enu"));
    home_ = setup_->dir.file("home");
    oldHome_ = qgetenv("HOME");
    oldConfig_ = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", QByteArray::fromStdString(home_));
    qunsetenv("XDG_CONFIG_HOME");
    writeFile(home_ + "/.config/chromium/Default/Bookmarks", kChromiumBookmarks);
    writeFirefoxProfile();
    doc_ = setup_->open();
    doc_->scripted.runForReal(QStringLiteral("progress"));
    doc_->show();
}

void BrowserImportTest::cleanup() {
    doc_.reset();
    setup_.reset();
    qputenv("HOME", oldHome_);
    if (!oldConfig_.isEmpty())
        qputenv("XDG_CONFIG_HOME", oldConfig_);
}

void BrowserImportTest::writeFirefoxProfile() {
    const std::string firefox = home_ + "/.mozilla/firefox";
    writeFile(firefox + "/profiles.ini", "[Profile0]\nName=default-release\nIsRelative=1\n"
                                         "Path=abcd.default-release\nDefault=1\n");
    std::filesystem::create_directories(firefox + "/abcd.default-release");
    sqlite3* db = nullptr;
    QCOMPARE(sqlite3_open((firefox + "/abcd.default-release/places.sqlite").c_str(), &db),
             SQLITE_OK);
    const std::string schema = test::TempDir::read(
        qEnvironmentVariable("QX_TEST_DATA").toStdString() + "/places-schema.sql");
    QVERIFY(!schema.empty());
    // Three bookmarks in the toolbar (folder 3): one in a folder of its own.
    const std::string rows =
        schema +
        "INSERT INTO moz_places (id, url, guid) VALUES (1, 'https://firefox.example/a', 'p1'),"
        " (2, 'https://firefox.example/b', 'p2'), (3, 'https://example.org/', 'p3');"
        "INSERT INTO moz_bookmarks (id, type, fk, parent, position, title, dateAdded, guid) VALUES"
        " (100, 1, 1, 3, 0, 'First', " +
        std::to_string(kAdded) +
        ", 'b100'),"
        " (101, 2, NULL, 3, 1, 'Kept', " +
        std::to_string(kAdded) +
        ", 'b101'),"
        " (102, 1, 2, 101, 0, 'Second', " +
        std::to_string(kAdded) +
        ", 'b102'),"
        " (103, 1, 3, 3, 2, 'Example', " +
        std::to_string(kAdded) + ", 'b103');";
    char* error = nullptr;
    const int result = sqlite3_exec(db, rows.c_str(), nullptr, nullptr, &error);
    const QString why = QString::fromUtf8(error ? error : "");
    sqlite3_free(error);
    sqlite3_close(db);
    QVERIFY2(result == SQLITE_OK, qPrintable(why));
}

void BrowserImportTest::importWith(const std::function<void(QDialog&)>& script) {
    doc_->scripted.handleNextDialog([script](QDialog& dialog) {
        script(dialog);
        return dialog.result();
    });
    doc_->frame.execute(ui::cmd::ImportFromBrowser);
}

QTreeWidget& BrowserImportTest::profiles(QDialog& dialog) {
    auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("profiles"));
    Q_ASSERT(list);
    return *list;
}

void BrowserImportTest::profilesAreListedByBrowserWithTheirCounts() {
    doc_->frame.updateCommandStates();
    QVERIFY(doc_->frame.commandState(ui::cmd::ImportFromBrowser).enabled);
    QStringList rows;
    importWith([&](QDialog& dialog) {
        QTreeWidget& list = profiles(dialog);
        for (int i = 0; i < list.topLevelItemCount(); ++i) {
            const QTreeWidgetItem* row = list.topLevelItem(i);
            rows.append(row->text(0) + QLatin1Char('|') + row->text(1) + QLatin1Char('|') +
                        row->text(2));
        }
        dialog.reject();
    });
    // The bookmarklet is no bookmark of the web; folders are not counted.
    QCOMPARE(rows, QStringList({QStringLiteral("Chromium|Default|2"),
                                QStringLiteral("Firefox|default-release|3")}));
    QVERIFY(doc_->scripted.dialogsRun().contains(QStringLiteral("browserImport")));
    QVERIFY(!doc_->model().orgroot().firstchild());
    QVERIFY(!doc_->editor.canUndo());
    QVERIFY(doc_->scripted.boxes().empty());
}

void BrowserImportTest::aProfileImportsAsOneUndoStepAndAgainAddsNothing() {
    auto chooseFirefox = [this](QDialog& dialog) {
        QTreeWidget& list = profiles(dialog);
        list.setCurrentItem(list.topLevelItem(1));
        dialog.findChild<QPushButton*>(QStringLiteral("import"))->click();
    };
    importWith(chooseFirefox);
    DDoc& model = doc_->model();
    const Ref* folder = topFolder(model, "Firefox: default-release");
    QVERIFY(folder);
    QCOMPARE(referencesUnder(*folder), 3);
    const UrlRef* filed = model.finddomainnode("https://firefox.example/b");
    QVERIFY(filed && filed->target());
    QCOMPARE(filed->target()->props().title.view(), std::string_view("Second"));
    QCOMPARE(filed->target()->props().modified.year, 2023);
    QCOMPARE(doc_->scripted.texts().last(),
             QStringLiteral("Imported into \"Firefox: default-release\": 3. Already there: 0, "
                            "skipped: 0."));
    QVERIFY(doc_->editor.isDirty());

    // The import is taken back whole: folder, references and pages.
    doc_->frame.updateCommandStates();
    QVERIFY(doc_->frame.commandState(ui::cmd::EditUndo).enabled);
    doc_->frame.execute(ui::cmd::EditUndo);
    QVERIFY(!doc_->model().orgroot().firstchild());
    QVERIFY(!doc_->model().finddomainnode("https://firefox.example/a"));
    QVERIFY(!doc_->editor.canUndo());

    // Imported again, the same profile adds nothing and leaves no step.
    importWith(chooseFirefox);
    importWith(chooseFirefox);
    QCOMPARE(referencesUnder(*topFolder(doc_->model(), "Firefox: default-release")), 3);
    QCOMPARE(doc_->scripted.texts().last(),
             QStringLiteral("Imported into \"Firefox: default-release\": 0. Already there: 3, "
                            "skipped: 0."));
    QVERIFY(doc_->runJobs());
    doc_->frame.updateCommandStates();
    QVERIFY(doc_->frame.commandState(ui::cmd::EditUndo).enabled);
    doc_->frame.execute(ui::cmd::EditUndo);
    QVERIFY(!doc_->model().orgroot().firstchild());
    QVERIFY(!doc_->editor.canUndo());
}

void BrowserImportTest::aDamagedStoreChosenByHandChangesNothing() {
    // Something there already, which must stay as it is.
    DDoc& model = doc_->model();
    Object* page = PageFiling::filepage(model, "https://example.org/");
    model.createresult(page, nullptr, model.createfolder(Str("Mine"), model.orgroot(), nullptr),
                       nullptr, false);
    const std::string truncated = std::string(kChromiumBookmarks).substr(0, 200);
    const std::string path = setup_->dir.write("Bookmarks", truncated);
    doc_->scripted.chooseNext(QString::fromStdString(path));
    importWith([](QDialog& dialog) {
        dialog.findChild<QPushButton*>(QStringLiteral("chooseFile"))->click();
    });
    QCOMPARE(doc_->scripted.requests().back().filter,
             QStringLiteral("Browser bookmark stores (Bookmarks places.sqlite);;All files (*)"));
    QCOMPARE(doc_->scripted.texts().last(),
             QStringLiteral("Bookmarks is truncated or damaged, or not a browser bookmark "
                            "store. Nothing was imported."));
    QVERIFY(!model.orgroot().firstchild()->nextsibling());
    QCOMPARE(referencesUnder(model.orgroot()), 1);
    QVERIFY(!doc_->editor.canUndo());

    // A profile folder chosen by hand is read like a listed profile; the
    // file dialog starts where the last one ended.
    doc_->scripted.chooseNext(
        QString::fromStdString(home_ + "/.config/chromium/Default/Bookmarks"));
    importWith([](QDialog& dialog) {
        dialog.findChild<QPushButton*>(QStringLiteral("chooseFile"))->click();
    });
    QCOMPARE(doc_->scripted.requests().back().folder, QString::fromStdString(setup_->dir.path()));
    QCOMPARE(doc_->scripted.texts().last(),
             QStringLiteral("Imported into \"Chromium: Default\": 2. Already there: 0, "
                            "skipped: 1."));
    // The page there before keeps its place and gains nothing but a second
    // reference.
    QCOMPARE(referencesUnder(*topFolder(model, "Chromium: Default")), 2);
}

void BrowserImportTest::aLongReadShowsProgressAndCancelDropsIt() {
    // Dialogs of their own: the document's run the progress for real.
    test::ScriptedDialogs scripted;
    std::atomic<bool> release{false};
    bool cancelledSeen = false;
    ui::ProgressRun cancelled(scripted, setup_->language, QStringLiteral("Import"),
                              QStringLiteral("Reading..."));
    cancelled.setQuietTime(std::chrono::milliseconds(0));
    scripted.handleNextDialog([&](QDialog& dialog) {
        cancelledSeen = dialog.objectName() == QStringLiteral("progress");
        // The job is let finish once the dialog is gone.
        release = true;
        return int(QDialog::Rejected);
    });
    int ran = 0;
    QVERIFY(!cancelled.run([&] {
        while (!release)
            std::this_thread::yield();
        ++ran;
    }));
    QVERIFY(cancelledSeen);
    QCOMPARE(ran, 1);

    // A job that ends while the dialog shows closes it.
    release = false;
    ui::ProgressRun finished(scripted, setup_->language, QStringLiteral("Import"),
                             QStringLiteral("Reading..."));
    finished.setQuietTime(std::chrono::milliseconds(0));
    scripted.handleNextDialog([&](QDialog& dialog) {
        QTimer::singleShot(50, [&] { release = true; });
        return dialog.exec();
    });
    QVERIFY(finished.run([&] {
        while (!release)
            std::this_thread::yield();
    }));
}

void BrowserImportTest::xbelExportIsReadBackByImportBookmarks() {
    DDoc& model = doc_->model();
    OrgRef2& folder = model.createfolder(Str("Folder & more"), model.orgroot(), nullptr);
    for (const char* url : {"https://example.org/", "https://example.org/b?x=1&y=2"}) {
        Object* page = PageFiling::filepage(model, url);
        ObjectProp props = page->props();
        props.title = Str(std::string("Title of ") + url);
        model.setobjectprops(*page, props);
        model.createresult(page, nullptr, folder, nullptr, false);
    }
    doc_->frame.updateCommandStates();
    QVERIFY(doc_->frame.commandState(ui::cmd::ExportXbel).enabled);
    const std::string path = setup_->dir.file("out.xbel");
    doc_->scripted.chooseNext(QString::fromStdString(path));
    doc_->frame.execute(ui::cmd::ExportXbel);
    QCOMPARE(doc_->scripted.requests().back().defaultSuffix, QStringLiteral("xbel"));
    const std::string written = test::TempDir::read(path);
    QVERIFY(written.find("<xbel version=\"1.0\">") != std::string::npos);

    auto other = setup_->open();
    other->scripted.chooseNext(QString::fromStdString(path));
    other->frame.execute(ui::cmd::ImportBookmarks);
    const Ref* back = topFolder(other->model(), "Folder & more");
    QVERIFY(back);
    QCOMPARE(referencesUnder(*back), 2);
    const std::string again = setup_->dir.file("again.xbel");
    other->scripted.chooseNext(QString::fromStdString(again));
    other->frame.execute(ui::cmd::ExportXbel);
    QCOMPARE(test::TempDir::read(again), written);

    // A cut-off XBEL file adds nothing.
    other->scripted.chooseNext(QString::fromStdString(
        setup_->dir.write("cut.xbel", written.substr(0, written.size() / 2))));
    other->frame.execute(ui::cmd::ImportBookmarks);
    QCOMPARE(other->scripted.texts().last(), QStringLiteral("cut.xbel is not a bookmark file."));
    QCOMPARE(referencesUnder(other->model().orgroot()), 2);
}

QTEST_MAIN(BrowserImportTest)
#include "BrowserImportTest.moc"
