#include "ShownDocument.h"
#include "TempDir.h"
#include "doc/Editor.h"
#include "doc/FileDocumentStore.h"
#include "exchange/DropEffects.h"
#include "exchange/PageFiling.h"
#include "model/DDoc.h"
#include "model/Object.h"
#include "model/ObjectProp.h"
#include "model/OrgProp.h"
#include "model/OrgRef2.h"
#include "model/RefRoot.h"
#include "model/UrlRef.h"
#include "ui/Commands.h"
#include "ui/DocumentTrees.h"
#include "ui/FindReplaceDialog.h"
#include "ui/FrameWindow.h"
#include "ui/View.h"
#include "ui/tree/RefTreeView.h"
#include "ui/tree/TreeDragData.h"
#include "ui/tree/refs/RefTVNode.h"

#include <QAction>
#include <QClipboard>
#include <QDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <cstdlib>

using namespace qx;
using qx::test::page;
using qx::test::rowOf;

namespace {

// The window as a desktop shows it, with a title bar drawn above it (the
// offscreen platform has no window manager to draw one).
QPixmap titled(QWidget& window) {
    QString title = window.windowTitle();
    title.replace(QStringLiteral("[*]"),
                  window.isWindowModified() ? QStringLiteral("*") : QString());
    const QPixmap body = window.grab();
    const int bar = window.fontMetrics().height() + 10;
    QPixmap picture(body.width(), body.height() + bar);
    QPainter painter(&picture);
    painter.fillRect(0, 0, body.width(), bar, window.palette().color(QPalette::Highlight));
    painter.setPen(window.palette().color(QPalette::HighlightedText));
    painter.drawText(QRect(8, 0, body.width() - 16, bar), Qt::AlignVCenter | Qt::AlignLeft, title);
    painter.drawPixmap(0, bar, body);
    painter.end();
    return picture;
}

} // namespace

// Every change the user makes to a document's structure or pages is taken
// back by Undo, through the keys and commands the window offers, and the
// document saved afterwards is the very file it was.
class UndoTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void deletesInEitherTreeComeBackByteForByte();
    void movesPastesRenamesAndPropertiesComeBack();
    void twentyLevelsAndNothingLeftGreysTheCommand();
    void aSearchResultFiledOutsideEndsTheHistory();

private:
    // A document of folders three deep with results of two hosts, saved to
    // a file; answers the file's bytes.
    std::string openNested();
    std::string saved();
    void pressInFirst(QKeyCombination keys);
    Ref* find(const char* name);
    Ref& folderNamed(const char* name);

    std::unique_ptr<test::ShownSetup> setup_;
    doc::FileDocumentStore files_;
    std::unique_ptr<test::ShownDocument> doc_;
    std::string path_;
};

void UndoTest::init() {
    setup_ = std::make_unique<test::ShownSetup>();
    QVERIFY(setup_->loadLanguage("enu"));
}

void UndoTest::cleanup() {
    doc_.reset();
    setup_.reset();
    QGuiApplication::clipboard()->clear();
}

std::string UndoTest::openNested() {
    doc_ = setup_->open(&files_);
    DDoc& m = doc_->model();
    OrgRef2& outer = m.createfolder(Str("outer"), m.orgroot(), nullptr);
    OrgRef2& middle = m.createfolder(Str("middle"), outer, nullptr);
    OrgRef2& inner = m.createfolder(Str("inner"), middle, nullptr);
    m.createfolder(Str("spare"), m.orgroot(), nullptr);
    for (int i = 0; i < 4; ++i) {
        for (const char* host : {"a", "b"}) {
            const std::string url =
                std::string("http://") + host + ".example/p/" + std::to_string(i);
            Ref& under = i % 3 == 0 ? static_cast<Ref&>(outer) : i % 3 == 1 ? middle : inner;
            // One page in both trees, as a search files it.
            Object* filed = PageFiling::filepage(m, url);
            ObjectProp props = filed->props();
            props.title = Str("page " + url);
            m.setobjectprops(*filed, props);
            m.createresult(filed, nullptr, under, nullptr, false);
        }
    }
    outer.addflags(Ref::Expanded);
    middle.addflags(Ref::Expanded);
    path_ = setup_->dir.file("nested.qxo");
    doc_->editor.setPath(QString::fromStdString(path_));
    doc_->show();
    return saved();
}

std::string UndoTest::saved() {
    if (!doc_->editor.save())
        return {};
    return test::TempDir::read(path_);
}

void UndoTest::pressInFirst(QKeyCombination keys) {
    QTest::keyClick(&doc_->first(), keys.key(), keys.keyboardModifiers());
}

Ref* UndoTest::find(const char* name) {
    DDoc& m = doc_->model();
    for (Tree* n = &m.orgroot(); n; n = n->nextpreorder(&m.orgroot()))
        if (static_cast<Ref*>(n)->name().view() == name)
            return static_cast<Ref*>(n);
    return nullptr;
}

Ref& UndoTest::folderNamed(const char* name) {
    Ref* found = find(name);
    return found ? *found : doc_->model().orgroot();
}

void UndoTest::deletesInEitherTreeComeBackByteForByte() {
    const std::string before = openNested();
    QVERIFY(!before.empty());
    doc_->frame.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&doc_->frame));
    doc_->frame.updateCommandStates();
    QVERIFY(!doc_->frame.action(ui::cmd::EditUndo)->isEnabled());

    // The Delete key on a folder, Ctrl+Z.
    doc_->frame.setDocumentTitle(QStringLiteral("nested.qxo"));
    doc_->frame.updateCommandStates();
    QVERIFY(!doc_->frame.isWindowModified());
    doc_->focusFirst(rowOf(folderNamed("middle")));
    // The program refreshes the items' marks when idle; a disabled item's
    // key does nothing.
    doc_->frame.updateCommandStates();
    pressInFirst(QKeyCombination(Qt::Key_Delete));
    QVERIFY(!find("middle") && !find("inner"));
    QVERIFY(doc_->editor.isDirty());
    doc_->frame.updateCommandStates();
    // The title says so: "Norba Seek - nested.qxo*".
    QVERIFY(doc_->frame.isWindowModified());
    QVERIFY(doc_->frame.windowTitle().endsWith(QLatin1String("nested.qxo[*]")));
    if (const char* shots = std::getenv("QX_SHOT_DIR"))
        QVERIFY(titled(doc_->frame)
                    .save(QString::fromLocal8Bit(shots) + QStringLiteral("/title-unsaved.png")));
    QVERIFY(doc_->frame.action(ui::cmd::EditUndo)->isEnabled());
    pressInFirst(QKeyCombination(Qt::ControlModifier, Qt::Key_Z));
    QCOMPARE(folderNamed("inner").name().view(), std::string_view("inner"));
    QCOMPARE(saved(), before);

    // A host deleted in the sites tree takes its results out of all three
    // folders; Alt+Backspace brings host and results back.
    DDoc& m = doc_->model();
    auto* host = static_cast<Ref*>(m.finddomainnode("http://a.example/p/0")->parent()->parent());
    doc_->focus(doc_->second(), rowOf(*host));
    doc_->frame.updateCommandStates();
    QTest::keyClick(&doc_->second(), Qt::Key_Delete);
    QVERIFY(!doc_->model().finddomainnode("http://a.example/p/0"));
    QVERIFY(!folderNamed("inner").firstchild()->nextsibling());
    doc_->frame.updateCommandStates();
    QTest::keyClick(&doc_->second(), Qt::Key_Backspace, Qt::AltModifier);
    QVERIFY(doc_->model().finddomainnode("http://a.example/p/0"));
    QCOMPARE(saved(), before);
    // The trees show the document brought back, folders open as they were.
    QVERIFY(rowOf(folderNamed("middle")).isExpanded());
    QCOMPARE(doc_->first().binding().modelRoot(), &doc_->model().orgroot());
}

void UndoTest::movesPastesRenamesAndPropertiesComeBack() {
    const std::string before = openNested();
    auto undoAndCompare = [&](const char* what) {
        QVERIFY2(doc_->frame.commandState(ui::cmd::EditUndo).enabled, what);
        doc_->frame.execute(ui::cmd::EditUndo);
        QVERIFY2(saved() == before, what);
    };

    // A drop that moves a folder into another.
    doc_->focusFirst(rowOf(folderNamed("spare")));
    UrlDragDropData own(doc_->first());
    QVERIFY(doc_->trees().treeDrop(folderNamed("inner"), own, dropeffect::Move));
    QCOMPARE(folderNamed("spare").parent(), static_cast<Tree*>(&folderNamed("inner")));
    undoAndCompare("move");

    // Cut and paste elsewhere: two steps, two undos.
    doc_->focusFirst(rowOf(folderNamed("inner")));
    doc_->frame.execute(ui::cmd::EditCut);
    doc_->focusFirst(rowOf(folderNamed("spare")));
    doc_->frame.execute(ui::cmd::EditPaste);
    QCOMPARE(folderNamed("inner").parent(), static_cast<Tree*>(&folderNamed("spare")));
    doc_->frame.execute(ui::cmd::EditUndo);
    QVERIFY(!find("inner"));
    undoAndCompare("cut");

    // Replace All renames every folder holding the text: one step.
    doc_->focusFirst(doc_->first().treeRoot());
    doc_->frame.execute(ui::cmd::ReplaceInDocument);
    ui::FindReplaceDialog* replace = doc_->view->finder().dialog();
    replace->findChild<QLineEdit*>(QStringLiteral("findWhat"))->setText(QStringLiteral("e"));
    replace->findChild<QLineEdit*>(QStringLiteral("replaceWith"))->setText(QStringLiteral("E"));
    replace->findChild<QPushButton*>(QStringLiteral("replaceAll"))->click();
    QCOMPARE(folderNamed("innEr").name().view(), std::string_view("innEr"));
    QCOMPARE(folderNamed("sparE").name().view(), std::string_view("sparE"));
    replace->close();
    undoAndCompare("replace all");

    // F2's new name for a folder.
    doc_->focusFirst(rowOf(folderNamed("spare")));
    QVERIFY(doc_->frame.commandState(ui::cmd::Rename).enabled);
    doc_->scripted.handleNextDialog([](QDialog& dialog) {
        auto& input = dynamic_cast<QInputDialog&>(dialog);
        if (input.textValue() != QStringLiteral("spare"))
            return int(QDialog::Rejected);
        input.setTextValue(QStringLiteral("kept"));
        return int(QDialog::Accepted);
    });
    doc_->frame.execute(ui::cmd::Rename);
    QVERIFY(find("kept") && !find("spare"));
    QCOMPARE(rowOf(*find("kept")).label(), std::string("kept"));
    undoAndCompare("rename");
    // A page's reference is named by its title: no rename there.
    doc_->focusFirst(rowOf(*static_cast<Ref*>(folderNamed("outer").lastchild())));
    QVERIFY(!doc_->frame.commandState(ui::cmd::Rename).enabled);

    // The properties dialog's new name and title.
    auto* result = static_cast<Ref*>(folderNamed("outer").lastchild());
    doc_->focusFirst(rowOf(*result));
    doc_->scripted.handleNextDialog([](QDialog& dialog) {
        const QList<QLineEdit*> edits = dialog.findChildren<QLineEdit*>();
        edits[0]->setText(QStringLiteral("named"));
        edits[1]->setText(QStringLiteral("another title"));
        dialog.accept();
        return int(QDialog::Accepted);
    });
    doc_->frame.execute(ui::cmd::Properties);
    QCOMPARE(result->target()->props().title.view(), std::string_view("another title"));
    undoAndCompare("properties");

    // A cancelled dialog changes nothing and leaves nothing to undo.
    doc_->focusFirst(rowOf(*static_cast<Ref*>(folderNamed("outer").lastchild())));
    doc_->scripted.handleNextDialog([](QDialog&) { return int(QDialog::Rejected); });
    doc_->frame.execute(ui::cmd::Properties);
    QVERIFY(!doc_->frame.commandState(ui::cmd::EditUndo).enabled);
}

void UndoTest::twentyLevelsAndNothingLeftGreysTheCommand() {
    const std::string before = openNested();
    DDoc& m = doc_->model();
    for (int i = 0; i < 21; ++i)
        m.createfolder(Str("f" + std::to_string(i)), m.orgroot(), nullptr);
    m.commit();
    const std::string many = saved();
    // Undo keeps the document as it stood before each delete, 21 times.
    for (int i = 0; i < 21; ++i) {
        doc_->focusFirst(rowOf(*static_cast<Ref*>(doc_->model().orgroot().lastchild())));
        doc_->frame.execute(ui::cmd::Delete);
    }
    QCOMPARE(doc_->model().orgroot().lastchild(), static_cast<Tree*>(&folderNamed("spare")));
    for (int i = 0; i < 21; ++i) {
        QVERIFY(doc_->frame.commandState(ui::cmd::EditUndo).enabled);
        doc_->frame.execute(ui::cmd::EditUndo);
    }
    QCOMPARE(saved(), many);
    QVERIFY(saved() != before);
    doc_->frame.updateCommandStates();
    QVERIFY(!doc_->frame.action(ui::cmd::EditUndo)->isEnabled());
    // The menu names it, with both keys.
    QAction* undo = doc_->frame.action(ui::cmd::EditUndo);
    QCOMPARE(undo->text(), QStringLiteral("&Undo\tCtrl+Z"));
    QVERIFY(undo->shortcuts().contains(QKeySequence(Qt::AltModifier | Qt::Key_Backspace)));
    QVERIFY(undo->shortcuts().contains(QKeySequence(Qt::ControlModifier | Qt::Key_Z)));
}

void UndoTest::aSearchResultFiledOutsideEndsTheHistory() {
    openNested();
    doc_->focusFirst(rowOf(folderNamed("spare")));
    doc_->frame.execute(ui::cmd::Delete);
    QVERIFY(doc_->frame.commandState(ui::cmd::EditUndo).enabled);
    // What a search or a check files is no change of the user's: taking the
    // delete back now would take the results with it.
    DDoc& m = doc_->model();
    m.createresultobject(page("http://c.example/", "c"), OrgProp{}, m.orgroot(), nullptr);
    m.commit();
    QVERIFY(!doc_->frame.commandState(ui::cmd::EditUndo).enabled);
    // A reload from the file ends it as well.
    doc_->focusFirst(rowOf(folderNamed("outer")));
    doc_->frame.execute(ui::cmd::Delete);
    QVERIFY(doc_->editor.canUndo());
    doc_->view->documentClosed();
    doc_->editor.replaceModel(doc_->editor.readFile());
    doc_->view->documentReloaded();
    QVERIFY(!doc_->frame.commandState(ui::cmd::EditUndo).enabled);
}

QTEST_MAIN(UndoTest)
#include "UndoTest.moc"
