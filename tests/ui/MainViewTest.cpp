#include "HttpTestServer.h"
#include "NginxServer.h"
#include "ShownDocument.h"
#include "TempDir.h"
#include "doc/Editor.h"
#include "doc/FileDocumentStore.h"
#include "exchange/PageFiling.h"
#include "lang/Language.h"
#include "lang/MessageBoxer.h"
#include "model/Container.h"
#include "model/DDoc.h"
#include "model/Object.h"
#include "model/OrgProp.h"
#include "model/OrgRef2.h"
#include "model/RefRoot.h"
#include "model/SearchRef.h"
#include "model/UrlRef.h"
#include "search/SearchModule.h"
#include "search/WebSearches.h"
#include "settings/Options.h"
#include "ui/Browser.h"
#include "ui/Commands.h"
#include "ui/DocumentTrees.h"
#include "ui/FindReplaceDialog.h"
#include "ui/FrameWindow.h"
#include "ui/ThreadWindow.h"
#include "ui/View.h"
#include "ui/tree/RefTreeView.h"
#include "ui/tree/refs/RefTVNode.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <cstdlib>
#include <sys/stat.h>

using namespace qx;
using qx::test::page;
using qx::test::rowOf;
using qx::test::TempDir;

namespace {

// Every node of both trees in order: its label, stored marks, the failure of
// its page's last check, and its row open, closed or not shown.
// Whether the row's line of the tree is drawn with pixels of that colour.
bool rowPainted(TreeView& tree, TreeViewNode& row, const QColor& color) {
    const QImage image = tree.viewport()->grab().toImage();
    const int y = tree.nodeTop(row) - tree.scrollY() + tree.lineHeight() / 2;
    int found = 0;
    for (int x = 0; x < image.width(); ++x)
        found += image.pixelColor(x, y) == color;
    return found > 10;
}

QStringList snapshot(DDoc& m) {
    QStringList lines;
    for (Ref* root : {static_cast<Ref*>(&m.orgroot()), static_cast<Ref*>(&m.domainroot())}) {
        for (Tree* t = root; t; t = t->nextpreorder(root)) {
            const auto& node = *static_cast<const Ref*>(t);
            RefItem* item = RefItem::of(node);
            const char* row = !item ? "none" : item->treeNode().isExpanded() ? "open" : "closed";
            lines.append(QString::fromStdString(std::string(node.label().view())) +
                         QStringLiteral(" %1 %2 ").arg(node.flags() & Ref::kStoredFlags).arg(row) +
                         QString::fromStdString(
                             node.target() ? std::string(node.target()->props().status.view())
                                           : std::string()));
        }
    }
    return lines;
}

} // namespace

class MainViewTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void threadWindowFollowsItsCommandAndTheWorkersRows();
    void findInTheTreesWalksAndReplacesOrganizerNames();
    void resultOrderCommandsAreCheckedAndChangeTheDocument();
    void aFailedLaunchShowsItsErrorWithAStopIcon();
    void deleteWorksInEitherTreeWhileNothingRuns();
    void aNewReadOfTheFileKeepsTheChosenRowsThatStillExist();
    void searchCheckFindSaveAndReopen_data();
    void searchCheckFindSaveAndReopen();

private:
    std::unique_ptr<test::ShownDocument> open(doc::DocumentStore* store = nullptr) {
        return setup_->open(store);
    }

    std::unique_ptr<test::ShownSetup> setup_;
};

void MainViewTest::init() {
    setup_ = std::make_unique<test::ShownSetup>();
    QVERIFY(setup_->loadLanguage("enu"));
}

void MainViewTest::cleanup() {
    setup_.reset();
}

void MainViewTest::threadWindowFollowsItsCommandAndTheWorkersRows() {
    setup_->options.connections = false;
    auto doc = open();
    doc->show();
    QVERIFY(!doc->view->threadWindow());
    QVERIFY(!doc->frame.commandState(ui::cmd::ThreadWindow).checked);
    doc->frame.execute(ui::cmd::ThreadWindow);
    ui::ThreadWindow* window = doc->view->threadWindow();
    QVERIFY(window);
    QVERIFY(setup_->options.connections);
    QVERIFY(doc->frame.commandState(ui::cmd::ThreadWindow).checked);
    QCOMPARE(window->windowTitle(), QStringLiteral("Connections"));
    QVERIFY(window->tree()->treeStyle() & treestyle::NoSelection);
    // Below the trees, full width.
    QCOMPARE(window->width(), doc->view->width());
    QVERIFY(window->y() > doc->first().y());

    emit doc->view->threadRowAdded(1, QStringLiteral("one"));
    emit doc->view->threadRowAdded(2, QStringLiteral("two"));
    emit doc->view->threadRowChanged(1, QStringLiteral("one again"));
    emit doc->view->threadRowRemoved(2);
    emit doc->view->threadRowChanged(2, QStringLiteral("gone"));
    QCOMPARE(window->rowTexts(), QStringList{QStringLiteral("one again")});

    doc->frame.execute(ui::cmd::ThreadWindow);
    QVERIFY(!doc->view->threadWindow());
    QVERIFY(!setup_->options.connections);
}

void MainViewTest::findInTheTreesWalksAndReplacesOrganizerNames() {
    auto doc = open();
    DDoc& m = doc->model();
    OrgRef2& alpha = m.createfolder(Str("Alpha"), m.orgroot(), nullptr);
    SearchRef& beta = m.createsearch(Str("beta search"), alpha, nullptr);
    OrgRef2& result = m.createresultobject(page("http://a.example/b", "Beta page"), OrgProp{},
                                           m.orgroot(), nullptr);
    doc->show();
    doc->focusFirst(doc->first().treeRoot());
    QVERIFY(!doc->frame.commandState(ui::cmd::FindNext).enabled);

    doc->frame.execute(ui::cmd::FindInDocument);
    ui::FindReplaceDialog* find = doc->view->finder().dialog();
    QVERIFY(find && find->isVisible() && !find->isModal());
    // One dialog at a time.
    QVERIFY(!doc->frame.commandState(ui::cmd::ReplaceInDocument).enabled);
    find->findChild<QLineEdit*>(QStringLiteral("findWhat"))->setText(QStringLiteral("BETA"));
    find->findChild<QPushButton*>(QStringLiteral("findNext"))->click();
    // Both matches in the tree's order, whichever comes first; the collapsed
    // folder opened to show its match.
    TreeViewNode* firstMatch = doc->first().focusNode();
    QVERIFY(firstMatch == &rowOf(beta) || firstMatch == &rowOf(result));
    QVERIFY(firstMatch->isSelected());
    // While the dialog is the active window the match shows selected, in
    // the selection colour of an inactive window.
    find->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(find));
    QVERIFY(!doc->first().hasFocus());
    const QColor inactive = doc->first().palette().color(QPalette::Inactive, QPalette::Highlight);
    QVERIFY(rowPainted(doc->first(), *firstMatch, inactive));
    if (const char* shots = std::getenv("QX_SHOT_DIR")) {
        // The window with the dialog where the screen shows it.
        QPixmap picture = doc->frame.grab();
        QPainter painter(&picture);
        painter.drawPixmap(find->frameGeometry().topLeft() - doc->frame.frameGeometry().topLeft(),
                           find->grab());
        painter.end();
        QVERIFY(picture.save(QString::fromLocal8Bit(shots) + QStringLiteral("/find-match.png")));
    }
    doc->frame.execute(ui::cmd::FindNext);
    TreeViewNode* secondMatch = doc->first().focusNode();
    QVERIFY(secondMatch != firstMatch);
    QVERIFY(secondMatch == &rowOf(beta) || secondMatch == &rowOf(result));
    QVERIFY(!firstMatch->isSelected());
    QVERIFY(rowOf(alpha).isExpanded());

    // Past the end: the question; No stays where it is.
    doc->scripted.answerNext(mb::IdNo);
    doc->frame.execute(ui::cmd::FindNext);
    QCOMPARE(doc->scripted.boxes().size(), 1u);
    QCOMPARE(doc->scripted.boxes()[0].style & mb::IconMask, mb::IconQuestion);
    QCOMPARE(doc->first().focusNode(), secondMatch);
    find->close();
    QTRY_VERIFY(!doc->view->finder().dialog());

    doc->frame.execute(ui::cmd::ReplaceInDocument);
    ui::FindReplaceDialog* replace = doc->view->finder().dialog();
    QVERIFY(replace && replace->isReplace());
    replace->findChild<QLineEdit*>(QStringLiteral("replaceWith"))->setText(QStringLiteral("gamma"));
    replace->findChild<QPushButton*>(QStringLiteral("replaceAll"))->click();
    // Names only: the page's title is the result's label and stays.
    QCOMPARE(std::string(beta.name().view()), std::string("gamma search"));
    QCOMPARE(rowOf(beta).label(), std::string("gamma search"));
    QCOMPARE(rowOf(result).label(), std::string("Beta page"));
    QVERIFY(doc->editor.isDirty());
    QCOMPARE(doc->frame.statusText(), QStringLiteral("Names replaced: 1."));

    // A folder is found by its name and renamed where it stands.
    doc->focusFirst(doc->first().treeRoot());
    replace->findChild<QLineEdit*>(QStringLiteral("findWhat"))->setText(QStringLiteral("alpha"));
    replace->findChild<QLineEdit*>(QStringLiteral("replaceWith"))->setText(QStringLiteral("Omega"));
    replace->findChild<QPushButton*>(QStringLiteral("findNext"))->click();
    QCOMPARE(doc->first().focusNode(), &rowOf(alpha));
    replace->findChild<QPushButton*>(QStringLiteral("replace"))->click();
    QCOMPARE(std::string(alpha.name().view()), std::string("Omega"));
    QCOMPARE(rowOf(alpha).label(), std::string("Omega"));
    QCOMPARE(doc->frame.statusText(), QStringLiteral("Names replaced: 1."));
    replace->close();
}

void MainViewTest::resultOrderCommandsAreCheckedAndChangeTheDocument() {
    auto doc = open();
    doc->show();
    QVERIFY(doc->frame.commandState(ui::cmd::GroupMode0).checked);
    QVERIFY(!doc->frame.commandState(ui::cmd::GroupMode0).enabled);
    QVERIFY(doc->frame.commandState(ui::cmd::GroupMode1).enabled);
    doc->frame.execute(ui::cmd::GroupMode1);
    QCOMPARE(doc->model().orgroot().resultorder(), std::uint32_t(RefRoot::ByDate));
    QVERIFY(doc->frame.commandState(ui::cmd::GroupMode1).checked);
    QVERIFY(doc->editor.isDirty());
    // Commands that do nothing are there and enabled.
    for (int id :
         {ui::cmd::Nothing506, ui::cmd::Nothing901, ui::cmd::Nothing902, ui::cmd::Nothing24326})
        QVERIFY(doc->frame.commandState(id).enabled);
}

void MainViewTest::aFailedLaunchShowsItsErrorWithAStopIcon() {
    // No desktop entry anywhere: no browser for new windows.
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(setup_->dir.file("data")));
    qputenv("XDG_DATA_DIRS", QByteArray::fromStdString(setup_->dir.file("none")));
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(setup_->dir.file("config")));
    qputenv("XDG_CONFIG_DIRS", QByteArray::fromStdString(setup_->dir.file("none")));
    test::ScriptedDialogs boxes;
    ui::Browser browser(setup_->language, boxes, "Norba Seek");
    QVERIFY(ui::Browser::defaultBrowserCommandLine().empty());
    QVERIFY(!browser.open("http://a.example/", true));
    qunsetenv("XDG_DATA_HOME");
    qunsetenv("XDG_DATA_DIRS");
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_CONFIG_DIRS");
    QCOMPARE(boxes.boxes().size(), 1u);
    QVERIFY(boxes.boxes()[0].text == setup_->language.launchErrorText(ui::Browser::kNoProgram));
    QVERIFY(boxes.boxes()[0].caption == "Norba Seek");
    QCOMPARE(boxes.boxes()[0].style & mb::IconMask, mb::IconStop);
}

void MainViewTest::deleteWorksInEitherTreeWhileNothingRuns() {
    auto doc = open();
    DDoc& m = doc->model();
    SearchRef& search = m.createsearch(Str("pages"), m.orgroot(), nullptr);
    std::vector<Ref*> results;
    // Nothing listens on port 1: a check of the last page fails at once.
    for (const char* url : {"http://a.example/x", "http://a.example/y/z", "http://127.0.0.1:1/w"})
        results.push_back(
            &m.createresult(PageFiling::filepage(m, url), nullptr, search, nullptr, false));
    OrgRef2& folder = m.createfolder(Str("Kept"), m.orgroot(), nullptr);
    m.createresult(results[1]->target(), nullptr, folder, nullptr, false);
    // Each site and path piece has a page of its own.
    QCOMPARE(m.container().count(), std::size_t(6));
    doc->show();

    // Not while a worker runs: a check of the local page holds the board.
    doc->focusFirst(rowOf(*results[2]));
    doc->frame.execute(ui::cmd::CheckReferences);
    QElapsedTimer clock;
    clock.start();
    while (!doc->view->jobs().Busy() && clock.elapsed() < 5000)
        doc->view->idle();
    QVERIFY(doc->view->jobs().Busy());
    UrlRef* page = m.finddomainnode("http://a.example/x");
    QVERIFY(page);
    auto* host = static_cast<Ref*>(page->parent());
    doc->focus(doc->second(), rowOf(*host));
    QVERIFY(!doc->frame.commandState(ui::cmd::Delete).enabled);
    doc->frame.execute(ui::cmd::Delete);
    QCOMPARE(m.finddomainnode("http://a.example/x")->parent(), static_cast<Tree*>(host));
    // Cut deletes too, and Undo would replace the model under the worker.
    doc->focusFirst(rowOf(folder));
    QVERIFY(!doc->frame.commandState(ui::cmd::EditCut).enabled);
    QVERIFY(doc->frame.commandState(ui::cmd::EditCopy).enabled);
    QVERIFY(!doc->frame.commandState(ui::cmd::EditUndo).enabled);
    doc->focus(doc->second(), rowOf(*host));
    QVERIFY(doc->runJobs());
    doc->editor.setDirty(false);

    // The site with its pages: their results leave the organizer tree too,
    // wherever they were filed, and the pages leave the document.
    QVERIFY(doc->frame.commandState(ui::cmd::Delete).enabled);
    doc->frame.execute(ui::cmd::Delete);
    QVERIFY(doc->editor.isDirty());
    QVERIFY(!m.finddomainnode("http://a.example/x"));
    QCOMPARE(search.firstchild(), static_cast<Tree*>(results[2]));
    QVERIFY(!results[2]->next());
    QVERIFY(!folder.firstchild());
    QVERIFY(!rowOf(search).firstChild()->next());
    QCOMPARE(doc->second().treeRoot().firstChild()->label(), std::string("http://127.0.0.1:1"));
    QVERIFY(!doc->second().treeRoot().firstChild()->next());
    QCOMPARE(m.container().count(), std::size_t(2));

    // In the organizer tree as before; the root itself is never deleted.
    doc->editor.setDirty(false);
    doc->focusFirst(rowOf(folder));
    doc->frame.execute(ui::cmd::Delete);
    QVERIFY(!m.orgroot().firstchild()->next());
    QVERIFY(doc->editor.isDirty());
    doc->focus(doc->second(), doc->second().treeRoot());
    QVERIFY(!doc->frame.commandState(ui::cmd::Delete).enabled);
}

void MainViewTest::aNewReadOfTheFileKeepsTheChosenRowsThatStillExist() {
    // The same document as its file holds it, read twice; the second read
    // lacks the reference "gone".
    auto fill = [](DDoc& m, bool withGone) {
        OrgRef2& folder = m.createfolder(Str("Folder"), m.orgroot(), nullptr);
        folder.addflags(Ref::Expanded);
        m.createresult(PageFiling::filepage(m, "http://a.example/kept"), nullptr, folder, nullptr,
                       false);
        if (withGone)
            m.createresult(PageFiling::filepage(m, "http://a.example/gone"), nullptr, folder,
                           nullptr, false);
    };
    auto doc = open();
    fill(doc->model(), true);
    doc->show();
    auto* folder = static_cast<Ref*>(doc->model().orgroot().firstchild());
    auto* kept = static_cast<Ref*>(folder->firstchild());
    TreeViewModel& tree = doc->first();
    doc->focusFirst(rowOf(*kept));
    tree.select(rowOf(*static_cast<Ref*>(kept->nextsibling())), true);
    QCOMPARE(tree.selectedCount(), 2);

    auto fresh = std::make_unique<DDoc>();
    fill(*fresh, false);
    DDoc* shown = fresh.get();
    doc->view->keepChoiceIn(*fresh);
    doc->view->documentClosed();
    doc->editor.replaceModel(std::move(fresh));
    doc->view->documentReloaded();

    QCOMPARE(&doc->model(), shown);
    auto* keptAgain = static_cast<Ref*>(shown->orgroot().firstchild()->firstchild());
    QCOMPARE(tree.selectedCount(), 1);
    QVERIFY(rowOf(*keptAgain).isSelected());
    QCOMPARE(tree.focusNode(), &rowOf(*keptAgain));
}

// The way a user goes: a search on a local engine through our module, the
// workers in the thread window, a check against a real nginx, the failed
// ones selected, a title found, the document saved and read back.
void MainViewTest::searchCheckFindSaveAndReopen_data() {
    QTest::addColumn<QString>("language");
    QTest::newRow("English") << QStringLiteral("enu");
    QTest::newRow("Russian") << QStringLiteral("rus");
}

void MainViewTest::searchCheckFindSaveAndReopen() {
    QFETCH(QString, language);
    QVERIFY(setup_->loadLanguage(language.toStdString()));
    if (!test::NginxServer::Available()) {
        if (std::getenv("CI"))
            QFAIL("nginx is missing");
        QSKIP("nginx is not installed");
    }
    test::NginxServer nginx;
    QVERIFY(nginx.Running());
    nginx.Put("/big.html", "<title>Big cats</title>", 1700000000);

    test::HttpTestServer engine;
    engine.on("/search", test::HttpTestServer::Reply{200,
                                                     {},
                                                     R"({"number_of_results": 2, "results": [
          {"title": "Big cats", "url": ")" + nginx.Url("/big.html") +
                                                         R"("},
          {"title": "Lost cats", "url": ")" + nginx.Url("/lost.html") +
                                                         R"("}]})",
                                                     "application/json",
                                                     0,
                                                     false,
                                                     800});
    mkdir(setup_->dir.file("config").c_str(), 0700);
    mkdir(setup_->dir.file("config/qxseek").c_str(), 0700);
    setup_->dir.write("config/qxseek/qsearch.json",
                      R"({"engines": {"1": {"url": ")" + engine.url("/search") +
                          R"(?q={query}", "fields": {"results": "results", "title": "title",
                    "url": "url", "total": "number_of_results"}}}})");
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(setup_->dir.file("config")));
    setup_->dir.write("qxseek.INI", "[Search]\nQuery=big cats\nServers=1\nMax=10\n");
    setup_->options.connections = true;

    doc::FileDocumentStore files;
    auto doc = open(&files);
    doc->show(SearchModule::load(std::string(std::getenv("QX_PROGRAM_DIR")) + "/qsearch.so"));
    doc->scripted.handleNextDialog([](QDialog& dialog) {
        dialog.accept();
        return int(QDialog::Accepted);
    });
    doc->frame.execute(ui::cmd::FindDialog);
    QCOMPARE(doc->scripted.dialogsRun(), QStringList{QStringLiteral("FindDialog")});
    int rowsSeen = 0;
    QVERIFY(doc->runJobs(
        [&] { rowsSeen = std::max(rowsSeen, int(doc->view->threadWindow()->rowTexts().size())); }));
    qunsetenv("XDG_CONFIG_HOME");
    QCOMPARE(rowsSeen, 1);
    QVERIFY(doc->view->threadWindow()->rowTexts().isEmpty());

    DDoc& m = doc->model();
    auto* search = dynamic_cast<SearchRef*>(m.orgroot().firstchild());
    QVERIFY(search);
    QVERIFY(!search->hasflags(Ref::Running));
    QVERIFY(search->firstchild() && search->firstchild()->next());
    auto* big = static_cast<Ref*>(search->firstchild());
    auto* lost = static_cast<Ref*>(search->firstchild()->next());
    QCOMPARE(std::string(big->target()->props().title.view()), std::string("Big cats"));

    // Check them all: one page is there, the other is not.
    doc->focusFirst(rowOf(*search));
    QVERIFY(doc->frame.commandState(ui::cmd::CheckReferences).enabled);
    doc->frame.execute(ui::cmd::CheckReferences);
    QVERIFY(doc->frame.commandState(ui::cmd::StopChecking).enabled);
    if (const char* shots = std::getenv("QX_SHOT_DIR")) {
        // The results open and the checks under way in the thread window.
        rowOf(*search).expand(true);
        for (int pass = 0; pass < 2; ++pass)
            doc->view->idle();
        QCoreApplication::processEvents();
        QVERIFY(doc->frame.grab().save(QString::fromLocal8Bit(shots) +
                                       QStringLiteral("/main-view-check-") + language +
                                       QStringLiteral(".png")));
    }
    QVERIFY(doc->runJobs());
    QVERIFY(lost->flags() & Ref::kCheckState);
    QVERIFY(!lost->target()->props().status.empty());
    QVERIFY(big->target()->props().status.empty());

    // The results came in under the saved search's line, opened for them.
    QVERIFY(rowOf(*search).isExpanded());
    QVERIFY(search->hasflags(Ref::Expanded));
    doc->frame.execute(ui::cmd::SelectFailed);
    QVERIFY(doc->first().binding().selection() == std::vector<Ref*>{lost});
    // With the search closed, its failed result is only counted: nothing is
    // opened, and the document keeps the search closed.
    rowOf(*search).expand(false);
    doc->frame.execute(ui::cmd::SelectFailed);
    QVERIFY(doc->first().binding().selection().empty());
    QVERIFY(!rowOf(*search).isExpanded());
    QVERIFY(!search->hasflags(Ref::Expanded));
    QVERIFY2(doc->frame.statusText().endsWith(QLatin1String(": 1")),
             qPrintable(doc->frame.statusText()));
    rowOf(*search).expand(true);
    doc->frame.execute(ui::cmd::SelectFailed);

    // The other tree shows the same page.
    doc->frame.execute(ui::cmd::ShowInOtherTree);
    const std::vector<Ref*> there = doc->view->domainTree()->binding().selection();
    QCOMPARE(there.size(), std::size_t(1));
    QCOMPARE(there[0]->target(), lost->target());

    doc->focusFirst(doc->first().treeRoot());
    doc->frame.execute(ui::cmd::FindInDocument);
    ui::FindReplaceDialog* find = doc->view->finder().dialog();
    find->findChild<QLineEdit*>(QStringLiteral("findWhat"))->setText(QStringLiteral("lost"));
    find->findChild<QPushButton*>(QStringLiteral("findNext"))->click();
    QCOMPARE(doc->first().focusNode(), &rowOf(*lost));
    find->close();

    // The filed results exported as a page, the way the program offers it.
    const QString pagePath = QString::fromStdString(setup_->dir.file("cats.html"));
    QVERIFY(doc->frame.commandState(ui::cmd::ExportHtml).enabled);
    doc->scripted.chooseNext(pagePath);
    doc->frame.execute(ui::cmd::ExportHtml);
    const std::string exported = TempDir::read(pagePath.toStdString());
    // The saved search holds both pages, each a title over its link.
    for (const std::string& text :
         {std::string("&quot;big cats&quot;\r\n</DT>\r\n<DL>\r\n<DT>\r\nBig cats\r\n"),
          "<A HREF=" + nginx.Url("/big.html") + ">", std::string("<DT>\r\nLost cats\r\n"),
          "<A HREF=" + nginx.Url("/lost.html") + ">"})
        QVERIFY2(exported.find(text) != std::string::npos, text.c_str());

    // Saved, closed and opened again: every node, mark and expansion of both
    // trees is back, and so are the rows as they were open or closed.
    rowOf(*search).expand(true);
    rowOf(*static_cast<Ref*>(there[0]->parent())).expand(false);
    const QStringList before = snapshot(m);
    QVERIFY(before.filter(QStringLiteral("closed")).size() > 0);
    QVERIFY(before.filter(QStringLiteral("open")).size() > 0);
    const QString path = QString::fromStdString(setup_->dir.file("cats.qxo"));
    doc->editor.setPath(path);
    QVERIFY(doc->editor.save());
    QVERIFY(!doc->editor.isDirty());
    doc.reset();
    auto again = open(&files);
    again->editor.setPath(path);
    QVERIFY(again->editor.open());
    again->show();
    QCOMPARE(snapshot(again->model()), before);
}

QTEST_MAIN(MainViewTest)
#include "MainViewTest.moc"
