#include "ui/ExportCommands.h"
#include "FakeStore.h"
#include "ScriptedDialogs.h"
#include "TempDir.h"
#include "doc/Editor.h"
#include "exchange/PageFiling.h"
#include "lang/Language.h"
#include "model/DDoc.h"
#include "model/Object.h"
#include "model/OrgRef2.h"
#include "model/RefRoot.h"
#include "settings/ApplicationProfile.h"
#include "settings/Options.h"
#include "ui/Commands.h"

#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <memory>

using namespace qx;
using qx::test::TempDir;

class ExportCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void filtersTakeTheDialogsForm();
    void exportsNeedNodesAndImportADocument();
    void htmlPageGoesWhereTheDialogSays();
    void existingFileIsReplacedOnlyWhenConfirmed();
    void favoritesGoIntoTheConfiguredFolder();
    void exportDialogsStartWhereTheLastOneEnded();
    void bookmarkFileComesBackAsTheSameTree();

private:
    void addReference(const char* title, const char* url);
    std::unique_ptr<ui::ExportCommands> commands(doc::Editor* editor);

    std::unique_ptr<TempDir> dir_;
    std::unique_ptr<ApplicationProfile> profile_;
    std::unique_ptr<Language> language_;
    Options options_;
    test::FakeStore store_;
    std::unique_ptr<test::ScriptedDialogs> dialogs_;
    std::unique_ptr<doc::Editor> editor_;
};

void ExportCommandsTest::init() {
    dir_ = std::make_unique<TempDir>();
    profile_ = std::make_unique<ApplicationProfile>(dir_->file("qxseek.INI"));
    language_ = std::make_unique<Language>(std::getenv("QX_PROGRAM_DIR"));
    std::string code = "enu";
    QCOMPARE(language_->load(code), 0u);
    editor_ = std::make_unique<doc::Editor>(store_, options_, *language_);
    dialogs_ = std::make_unique<test::ScriptedDialogs>();
}

void ExportCommandsTest::cleanup() {
    editor_.reset();
    language_.reset();
    profile_.reset();
    dir_.reset();
}

void ExportCommandsTest::addReference(const char* title, const char* url) {
    DDoc& model = editor_->model();
    Object* page = PageFiling::filepage(model, url);
    ObjectProp props = page->props();
    props.title = Str(title);
    model.setobjectprops(*page, props);
    Ref& folder = model.createfolder(Str("Folder"), model.orgroot(), nullptr);
    model.createresult(page, nullptr, folder, nullptr, false);
}

std::unique_ptr<ui::ExportCommands> ExportCommandsTest::commands(doc::Editor* editor) {
    return std::make_unique<ui::ExportCommands>([editor] { return editor; }, *profile_, *language_,
                                                *dialogs_);
}

void ExportCommandsTest::filtersTakeTheDialogsForm() {
    QCOMPARE(ui::ExportCommands::dialogFilter("HTML pages (*.html;*.htm)|*.html;*.htm|All files "
                                              "(*)|*|"),
             QStringLiteral("HTML pages (*.html *.htm);;All files (*)"));
    QCOMPARE(ui::ExportCommands::dialogFilter("Pages|*.htm|"), QStringLiteral("Pages (*.htm)"));
    QCOMPARE(ui::ExportCommands::dialogFilter(""), QString());
}

void ExportCommandsTest::exportsNeedNodesAndImportADocument() {
    auto none = commands(nullptr);
    doc::CommandState state;
    for (int id : {ui::cmd::ExportHtml, ui::cmd::ExportFavorites, ui::cmd::ExportBookmarks,
                   ui::cmd::ImportBookmarks}) {
        QVERIFY(none->commandState(id, state));
        QVERIFY(!state.enabled);
    }
    auto empty = commands(editor_.get());
    QVERIFY(empty->commandState(ui::cmd::ExportHtml, state));
    QVERIFY(!state.enabled);
    QVERIFY(empty->commandState(ui::cmd::ImportBookmarks, state));
    QVERIFY(state.enabled);
    addReference("Page", "https://example.org/");
    QVERIFY(empty->commandState(ui::cmd::ExportHtml, state));
    QVERIFY(state.enabled);
    // A selection handed in decides, even an empty one.
    empty->setSelection([] { return std::vector<const Ref*>(); });
    QVERIFY(empty->commandState(ui::cmd::ExportBookmarks, state));
    QVERIFY(!state.enabled);
    QVERIFY(!empty->commandState(ui::cmd::Delete, state));
}

void ExportCommandsTest::htmlPageGoesWhereTheDialogSays() {
    addReference("<script>x</script>", "https://example.org/");
    auto target = commands(editor_.get());
    const QString path = QString::fromStdString(dir_->file("page.html"));
    dialogs_->chooseNext(path);
    QVERIFY(target->execute(ui::cmd::ExportHtml));
    QCOMPARE(dialogs_->requests().size(), size_t(1));
    QCOMPARE(dialogs_->requests()[0].defaultSuffix, QStringLiteral("html"));
    QCOMPARE(dialogs_->requests()[0].filter,
             ui::ExportCommands::dialogFilter(language_->text(9204)));
    const std::string page = TempDir::read(path.toStdString());
    QVERIFY(page.find("&lt;script&gt;x&lt;/script&gt;") != std::string::npos);
    QVERIFY(dialogs_->boxes().empty());
    // A page that cannot be written is said so.
    dialogs_->chooseNext(QString::fromStdString(dir_->file("no/such/page.html")));
    target->execute(ui::cmd::ExportHtml);
    QCOMPARE(dialogs_->boxes().size(), size_t(1));
}

void ExportCommandsTest::existingFileIsReplacedOnlyWhenConfirmed() {
    addReference("Page", "https://example.org/");
    auto target = commands(editor_.get());
    const std::string path = dir_->write("page.html", "old");
    dialogs_->chooseNext(QString::fromStdString(path));
    dialogs_->answerNext(mb::IdNo);
    target->execute(ui::cmd::ExportBookmarks);
    QCOMPARE(TempDir::read(path), std::string("old"));
    dialogs_->chooseNext(QString::fromStdString(path));
    dialogs_->answerNext(mb::IdYes);
    target->execute(ui::cmd::ExportBookmarks);
    QVERIFY(TempDir::read(path).find("NETSCAPE-Bookmark-file-1") != std::string::npos);
}

void ExportCommandsTest::favoritesGoIntoTheConfiguredFolder() {
    addReference("Page", "https://example.org/");
    addReference("Other", "https://example.org/other");
    profile_->writeString("Options", "Favorites", dir_->file("Favorites"));
    auto target = commands(editor_.get());
    // The folder is asked for, starting in the one of the settings; a
    // cancelled dialog writes nothing.
    QVERIFY(target->execute(ui::cmd::ExportFavorites));
    QCOMPARE(dialogs_->requests().back().folder, QString::fromStdString(dir_->file("Favorites")));
    QVERIFY(!std::filesystem::exists(dir_->file("Favorites")));
    QVERIFY(dialogs_->boxes().empty());

    const std::string chosen = dir_->file("Chosen");
    std::filesystem::create_directory(chosen);
    dialogs_->chooseNext(QString::fromStdString(chosen));
    QVERIFY(target->execute(ui::cmd::ExportFavorites));
    QVERIFY(std::filesystem::exists(chosen + "/Folder/Page.url"));
    QVERIFY(std::filesystem::exists(chosen + "/Folder/Other.url"));
    QCOMPARE(profile_->readString("Options", "Favorites", ""), chosen);
    QCOMPARE(dialogs_->texts().last(),
             QString::fromStdString("2 shortcuts were written to " + chosen + "."));
    QCOMPARE(dialogs_->boxes().back().style, mb::Ok | mb::IconInformation);
    target->execute(ui::cmd::ExportFavorites);
    QCOMPARE(dialogs_->requests().back().folder, QString::fromStdString(chosen));
}

void ExportCommandsTest::exportDialogsStartWhereTheLastOneEnded() {
    addReference("Page", "https://example.org/");
    auto target = commands(editor_.get());
    const std::string folder = dir_->file("pages");
    std::filesystem::create_directory(folder);
    dialogs_->chooseNext(QString::fromStdString(folder + "/page.html"));
    target->execute(ui::cmd::ExportHtml);
    target->execute(ui::cmd::ExportBookmarks);
    target->execute(ui::cmd::ImportBookmarks);
    QCOMPARE(dialogs_->requests().size(), size_t(3));
    QCOMPARE(dialogs_->requests()[1].folder, QString::fromStdString(folder));
    QCOMPARE(dialogs_->requests()[2].folder, QString::fromStdString(folder));
}

void ExportCommandsTest::bookmarkFileComesBackAsTheSameTree() {
    addReference("Page", "https://example.org/");
    auto target = commands(editor_.get());
    const QString path = QString::fromStdString(dir_->file("bookmarks.html"));
    dialogs_->chooseNext(path);
    target->execute(ui::cmd::ExportBookmarks);

    doc::Editor other(store_, options_, *language_);
    auto into = commands(&other);
    dialogs_->chooseNext(path);
    QVERIFY(into->execute(ui::cmd::ImportBookmarks));
    QVERIFY(other.isDirty());
    const std::string again = dir_->file("again.html");
    dialogs_->chooseNext(QString::fromStdString(again));
    into->execute(ui::cmd::ExportBookmarks);
    QCOMPARE(TempDir::read(again), TempDir::read(path.toStdString()));

    dialogs_->chooseNext(QString::fromStdString(dir_->write("empty.html", "")));
    into->execute(ui::cmd::ImportBookmarks);
    QCOMPARE(dialogs_->texts().last(), QStringLiteral("empty.html is not a bookmark file."));
}

QTEST_MAIN(ExportCommandsTest)
#include "ExportCommandsTest.moc"
