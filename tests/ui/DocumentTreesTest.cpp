#include "ui/DocumentTrees.h"
#include "ShownDocument.h"
#include "TempDir.h"
#include "doc/Editor.h"
#include "exchange/DropEffects.h"
#include "exchange/ExchangeFormats.h"
#include "exchange/ShortcutFiles.h"
#include "exchange/UriText.h"
#include "model/DDoc.h"
#include "model/DocumentFormat.h"
#include "model/Object.h"
#include "model/ObjectProp.h"
#include "model/OrgProp.h"
#include "model/OrgRef2.h"
#include "model/RefRoot.h"
#include "model/UrlRef.h"
#include "settings/Options.h"
#include "ui/Commands.h"
#include "ui/FrameWindow.h"
#include "ui/View.h"
#include "ui/tree/ExternalLinks.h"
#include "ui/tree/RefTreeHost.h"
#include "ui/tree/RefTreeView.h"
#include "ui/tree/TreeDragData.h"
#include "ui/tree/refs/RefTVNode.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDragMoveEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWindow>
#include <cstdlib>
#include <unistd.h>
#include <utility>
#include <vector>

using namespace qx;
using qx::test::page;
using qx::test::rowOf;

namespace {

QString mime(std::string_view name) {
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

// Writes down what a tree asks of its main view.
class RecordingHost : public RefTreeHost {
public:
    void treeFocused(RefTreeView&) override {}
    void treeCommand(int id) override { commands.push_back(id); }
    void treeStatus(const RefStatus&) override {}
    void treeContextMenu(QPoint) override { commands.push_back(-1); }
    bool treeDrop(Ref&, const QMimeData&, std::uint32_t) override { return false; }
    std::vector<int> commands;
};

// What a browser's drag looks like under X11: Qt lists no text/x-moz-url,
// yet hands its bytes over when asked.
class UnlistedMozUrl : public QMimeData {
public:
    QByteArray moz;

protected:
    QVariant retrieveData(const QString& format, QMetaType type) const override {
        if (format == mime(exchange::kMozUrl))
            return moz;
        return QMimeData::retrieveData(format, type);
    }
};

} // namespace

class DocumentTreesTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void bothTreesShowTheDocumentAndOnlyUserChangesMarkIt();
    void threeSelectedNodesShowTheirCount();
    void aFolderHiddenThroughItsChildrenOffersUnhide();
    void hidingNestedFoldersTakesTheirPagesOutOfTheSitesTree();
    void theStatusReadsTheAddressAndShiftF10OpensTheMenu();
    void keysOfTheTreeOpenRenameAndShowTheMenu();
    void selectAllDeleteAndDropsKeepTheTreesOrder();
    void aDragOffersOnlyWhatItDeliversForEverySelectedReference();
    void aDragHandsFileManagersTheShortcutOfEachReference();
    void anotherProcessesPrivateFormatIsRefused();
    void dropsMoveCopyAndNeverIntoTheirOwnSubtree();
    void anOpenFolderDraggedDownDropsOnARowBelowAndIntoEmptySpace();
    void aBrowserLinkDroppedBecomesAReference();
    void pastingLinksOfAnotherProgramFilesThem();
    void copyAndPasteIntoAnotherDocumentKeepsEveryProperty();
    void rowsFollowTheirPagesPropertiesWithoutARebuild();
    void aDocumentDroppedOnATreeOpensInsteadOfBecomingAReference();

private:
    std::unique_ptr<test::ShownDocument> open() { return setup_->open(); }

    std::unique_ptr<test::ShownSetup> setup_;
};

void DocumentTreesTest::init() {
    setup_ = std::make_unique<test::ShownSetup>();
    QVERIFY(setup_->loadLanguage("enu"));
}

void DocumentTreesTest::cleanup() {
    setup_.reset();
    QGuiApplication::clipboard()->clear();
}

void DocumentTreesTest::bothTreesShowTheDocumentAndOnlyUserChangesMarkIt() {
    auto doc = open();
    OrgRef2& result = doc->model().createresultobject(page("http://a.example/p", "P"), OrgProp{},
                                                      doc->model().orgroot(), nullptr);
    doc->model().filedomainnode("http://a.example/p");
    doc->show();
    QVERIFY(!doc->editor.isDirty());
    QCOMPARE(doc->first().treeRoot().firstChild()->label(), std::string("P"));
    QVERIFY(doc->second().treeRoot().firstChild() != nullptr);
    QCOMPARE(rowOf(result).image(0), 1 + 2);

    rowOf(result).select(true);
    doc->trees().treeFocused(doc->first());
    doc->frame.execute(ui::cmd::Hide);
    QVERIFY(doc->editor.isDirty());
    // Hidden references are not shown: the row is gone, the node stays.
    QVERIFY(result.viewitem() == nullptr);
    doc->frame.execute(ui::cmd::ShowHidden);
    QVERIFY(setup_->options.showHidden);
    QVERIFY(rowOf(result).isGrayed());
}

void DocumentTreesTest::threeSelectedNodesShowTheirCount() {
    auto doc = open();
    for (const char* title : {"a", "b", "c"})
        doc->model().createresultobject(page("", title), OrgProp{}, doc->model().orgroot(),
                                        nullptr);
    doc->show();
    for (TreeViewNode* n = doc->first().treeRoot().firstChild(); n; n = n->next())
        n->select(true);
    doc->trees().treeStatus(doc->first().binding().status());
    QCOMPARE(doc->frame.statusText(), QStringLiteral("3 references selected"));
    // A menu item's hint covers the text while the pointer is on it, and
    // leaves it as it was.
    QStatusTipEvent hint(QStringLiteral("Delete the selected references"));
    QCoreApplication::sendEvent(&doc->frame, &hint);
    QCOMPARE(doc->frame.statusBar()->currentMessage(), hint.tip());
    QStatusTipEvent away{QString()};
    QCoreApplication::sendEvent(&doc->frame, &away);
    QCOMPARE(doc->frame.statusText(), QStringLiteral("3 references selected"));
    QVERIFY(doc->frame.findChild<QLabel*>(QStringLiteral("StatusText"))->isVisible());

    // Folders are counted as folders.
    OrgRef2& folder = doc->model().createfolder(Str("f"), doc->model().orgroot(), nullptr);
    rowOf(folder).select(true);
    doc->trees().treeStatus(doc->first().binding().status());
    QCOMPARE(doc->frame.statusText(), QStringLiteral("1 folders and 3 references selected"));
}

void DocumentTreesTest::theStatusReadsTheAddressAndShiftF10OpensTheMenu() {
    auto doc = open();
    OrgRef2& result = doc->model().createresultobject(
        page("http://host0.example/%D1%82%D0%B5%D1%81%D1%82%20%D0%BF%D0%BE%D0%B8%D1%81%D0%BA/"
             "%E2%80%AE0",
             "t"),
        OrgProp{}, doc->model().orgroot(), nullptr);
    doc->show();
    doc->focusFirst(rowOf(result));
    doc->trees().treeStatus(doc->first().binding().status());
    QCOMPARE(doc->frame.statusText(),
             QStringLiteral(" url = http://host0.example/тест поиск/%E2%80%AE0"));

    doc->frame.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&doc->frame));
    QString shown;
    QTimer::singleShot(0, [&] {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            for (QAction* action : popup->actions())
                shown += action->text().section(QLatin1Char('\t'), 0, 0) + QLatin1Char('|');
            popup->close();
        }
    });
    QTest::keyClick(&doc->first(), Qt::Key_F10, Qt::ShiftModifier);
    QVERIFY2(shown.startsWith(QLatin1String("&Open|")), qPrintable(shown));
}

void DocumentTreesTest::keysOfTheTreeOpenRenameAndShowTheMenu() {
    DDoc m;
    OrgRef2& result =
        m.createresultobject(page("http://a.example/", "a"), OrgProp{}, m.orgroot(), nullptr);
    RecordingHost host;
    OrganizerTreeView tree(host, nullptr);
    tree.binding().bind(&m.orgroot());
    tree.show();
    tree.setFocusNode(&rowOf(result));
    QTest::keyClick(&tree, Qt::Key_Return);
    QTest::keyClick(&tree, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(&tree, Qt::Key_F2);
    QTest::keyClick(&tree, Qt::Key_F10, Qt::ShiftModifier);
    // Alt+Return is the properties key of the window, not the tree's.
    QTest::keyClick(&tree, Qt::Key_Return, Qt::AltModifier);
    QCOMPARE(host.commands, (std::vector<int>{ui::cmd::OpenInBrowser, ui::cmd::OpenInBrowser,
                                              ui::cmd::Rename, -1}));
    tree.binding().bind(nullptr);
}

void DocumentTreesTest::selectAllDeleteAndDropsKeepTheTreesOrder() {
    auto doc = open();
    DDoc& m = doc->model();
    OrgRef2& a = m.createfolder(Str("a"), m.orgroot(), nullptr);
    OrgRef2& b = m.createfolder(Str("b"), m.orgroot(), nullptr);
    OrgRef2& c = m.createfolder(Str("c"), m.orgroot(), nullptr);
    OrgRef2& d = m.createfolder(Str("d"), m.orgroot(), nullptr);
    doc->show();

    // Chosen b after c, dropped into d: they arrive as the tree had them.
    doc->focusFirst(rowOf(c));
    rowOf(b).select(true);
    UrlDragDropData own(doc->first());
    QVERIFY(doc->trees().treeDrop(d, own, dropeffect::Move));
    QCOMPARE(d.firstchild(), static_cast<Tree*>(&b));
    QCOMPARE(b.nextsibling(), static_cast<Tree*>(&c));

    // Delete goes on from the next row, selected, not from the top.
    doc->focusFirst(rowOf(a));
    doc->frame.execute(ui::cmd::Delete);
    QCOMPARE(doc->first().focusNode(), &rowOf(d));
    QVERIFY(rowOf(d).isSelected());

    // Select All takes the root's row too; Hide acts on the rest.
    doc->frame.execute(ui::cmd::SelectAll);
    QVERIFY(doc->first().treeRoot().isSelected() || !doc->first().treeRoot().parent());
    QVERIFY(rowOf(d).isSelected());
    QVERIFY(doc->frame.commandState(ui::cmd::Hide).enabled);
    QVERIFY(doc->frame.commandState(ui::cmd::Delete).enabled);
    doc->frame.execute(ui::cmd::Hide);
    QVERIFY(d.hasflags(Ref::Hidden));
    QVERIFY(!m.orgroot().hasflags(Ref::Hidden));
}

void DocumentTreesTest::aFolderHiddenThroughItsChildrenOffersUnhide() {
    auto doc = open();
    DDoc& m = doc->model();
    OrgRef2& folder = m.createfolder(Str("folder"), m.orgroot(), nullptr);
    OrgRef2& only =
        m.createresultobject(page("http://a.example/only", "only"), OrgProp{}, folder, nullptr);
    setup_->options.showHidden = true;
    doc->show();
    doc->focusFirst(rowOf(only));
    doc->frame.execute(ui::cmd::Hide);
    QVERIFY(folder.hasflags(Ref::HiddenChildren));
    QVERIFY(!folder.hasflags(Ref::Hidden));
    QVERIFY(rowOf(folder).isGrayed());
    doc->focusFirst(rowOf(folder));
    QVERIFY(!doc->frame.commandState(ui::cmd::Hide).enabled);
    QVERIFY(doc->frame.commandState(ui::cmd::Unhide).enabled);
    doc->frame.execute(ui::cmd::Unhide);
    QVERIFY(!folder.hasflags(Ref::kHiddenFlags));
    QVERIFY(!rowOf(folder).isGrayed());
}

// Hide on a folder hides everything below it: its pages leave the sites tree
// unless a reference that still shows keeps them, and with hidden references
// shown every row below the folder is greyed. Unhide brings all of it back.
void DocumentTreesTest::hidingNestedFoldersTakesTheirPagesOutOfTheSitesTree() {
    auto doc = open();
    DDoc& m = doc->model();
    OrgRef2& outer = m.createfolder(Str("outer"), m.orgroot(), nullptr);
    OrgRef2& inner = m.createfolder(Str("inner"), outer, nullptr);
    OrgRef2& deep =
        m.createresultobject(page("http://a.example/deep", "deep"), OrgProp{}, inner, nullptr);
    OrgRef2& shared =
        m.createresultobject(page("http://b.example/shared", "shared"), OrgProp{}, outer, nullptr);
    OrgRef2& elsewhere = m.createfolder(Str("elsewhere"), m.orgroot(), nullptr);
    m.createresult(shared.target(), nullptr, elsewhere, nullptr, false);
    UrlRef& deepPage = *m.filedomainnode("http://a.example/deep");
    UrlRef& sharedPage = *m.filedomainnode("http://b.example/shared");
    doc->show();

    doc->focusFirst(rowOf(outer));
    doc->frame.execute(ui::cmd::Hide);
    for (const Ref* node : {static_cast<const Ref*>(&outer), static_cast<const Ref*>(&inner),
                            static_cast<const Ref*>(&deep)})
        QVERIFY(node->viewitem() == nullptr);
    QVERIFY(deepPage.viewitem() == nullptr);
    QVERIFY(m.finddomainnode("http://a.example")->viewitem() == nullptr);
    QVERIFY(sharedPage.viewitem() != nullptr);

    doc->frame.execute(ui::cmd::ShowHidden);
    for (const Ref* node : {static_cast<const Ref*>(&outer), static_cast<const Ref*>(&inner),
                            static_cast<const Ref*>(&deep), static_cast<const Ref*>(&shared),
                            static_cast<const Ref*>(&deepPage)})
        QVERIFY2(rowOf(*node).isGrayed(), node->name().view().data());
    QVERIFY(!rowOf(sharedPage).isGrayed());
    QVERIFY(!rowOf(elsewhere).isGrayed());

    doc->focusFirst(rowOf(outer));
    QVERIFY(doc->frame.commandState(ui::cmd::Unhide).enabled);
    doc->frame.execute(ui::cmd::Unhide);
    for (const Ref* node : {static_cast<const Ref*>(&outer), static_cast<const Ref*>(&inner),
                            static_cast<const Ref*>(&deep), static_cast<const Ref*>(&deepPage)})
        QVERIFY2(!rowOf(*node).isGrayed(), node->name().view().data());
}

void DocumentTreesTest::aDragOffersOnlyWhatItDeliversForEverySelectedReference() {
    auto doc = open();
    DDoc& m = doc->model();
    OrgRef2& bare =
        m.createresultobject(page("http://a.example/", ""), OrgProp{}, m.orgroot(), nullptr);
    OrgRef2& folder = m.createfolder(Str("folder"), m.orgroot(), nullptr);
    m.createresultobject(page("http://b.example/новое", "Б"), OrgProp{}, folder, nullptr);
    OrgRef2& target = m.createfolder(Str("Drop here"), m.orgroot(), nullptr);
    doc->show();
    doc->first().setFocusNode(&rowOf(bare));
    UrlDragDropData one(doc->first());
    QCOMPARE(one.data(mime(exchange::kUriList)), QByteArray("http://a.example/\r\n"));
    QCOMPARE(one.data(mime(exchange::kMozUrl)),
             QByteArray::fromStdString(exchange::UriText::utf16le("http://a.example/\n")));
    // Whatever is listed is delivered, and nothing else is claimed.
    for (const QString& format : one.formats()) {
        QVERIFY2(one.hasFormat(format), qPrintable(format));
        QVERIFY2(!one.data(format).isNull(), qPrintable(format));
    }
    QVERIFY(!one.formats().contains(mime(exchange::kShortcut)));
    QVERIFY(!one.hasFormat(QStringLiteral("application/x-kde-suggestedfilename")));

    // Both rows selected: the page and the folder's page, one line each.
    rowOf(bare).select(true);
    rowOf(folder).select(true);
    UrlDragDropData both(doc->first());
    QCOMPARE(
        both.data(mime(exchange::kUriList)),
        QByteArray("http://a.example/\r\nhttp://b.example/%D0%BD%D0%BE%D0%B2%D0%BE%D0%B5\r\n"));
    QCOMPARE(both.data(mime(exchange::kPlainText)),
             QByteArray("http://a.example/\nhttp://b.example/новое\n"));

    if (const char* shots = std::getenv("QX_SHOT_DIR")) {
        // The two rows dragged over another folder, the drop not yet made.
        doc->frame.show();
        QWidget* over = doc->first().viewport();
        const QPoint at(60, doc->first().nodeTop(rowOf(target)) + 4);
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &both, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(over, &enter);
        QDragMoveEvent move(at, Qt::CopyAction | Qt::MoveAction, &both, Qt::LeftButton,
                            Qt::NoModifier);
        QCoreApplication::sendEvent(over, &move);
        QCoreApplication::processEvents();
        QVERIFY(doc->frame.grab().save(QString::fromLocal8Bit(shots) +
                                       QStringLiteral("/main-view-drag.png")));
        QDragLeaveEvent leave;
        QCoreApplication::sendEvent(over, &leave);
    }
}

void DocumentTreesTest::aDragHandsFileManagersTheShortcutOfEachReference() {
    auto doc = open();
    DDoc& m = doc->model();
    OrgRef2& folder = m.createfolder(Str("folder"), m.orgroot(), nullptr);
    m.createresultobject(page("http://a.example/", "Новости"), OrgProp{}, folder, nullptr);
    m.createresultobject(page("http://b.example/x", "Новости"), OrgProp{}, folder, nullptr);
    doc->show();
    doc->first().setFocusNode(&rowOf(folder));
    QString kept;
    {
        exchange::ShortcutFiles shortcuts;
        const QByteArray list =
            UrlDragDropData(doc->first(), &shortcuts).data(mime(exchange::kUriList));
        const QList<QByteArray> lines = list.split('\n');
        QCOMPARE(lines.size(), 5); // four lines and the empty rest
        QCOMPARE(lines[0], QByteArray("http://a.example/\r"));
        QCOMPARE(lines[1], QByteArray("http://b.example/x\r"));
        // Two pages of one title: two files for the file manager.
        const QString first = QUrl(QString::fromUtf8(lines[2].chopped(1))).toLocalFile();
        const QString second = QUrl(QString::fromUtf8(lines[3].chopped(1))).toLocalFile();
        QCOMPARE(QFileInfo(first).fileName(), QStringLiteral("Новости.url"));
        QCOMPARE(QFileInfo(second).fileName(), QStringLiteral("Новости (2).url"));
        QCOMPARE(QByteArray::fromStdString(test::TempDir::read(first.toStdString())),
                 QByteArray("[InternetShortcut]\r\nURL=http://a.example/\r\n"));
        QCOMPARE(QByteArray::fromStdString(test::TempDir::read(second.toStdString())),
                 QByteArray("[InternetShortcut]\r\nURL=http://b.example/x\r\n"));
        // The next drag offers it again, whatever became of the last one's.
        QVERIFY(QFile::remove(first));
        UrlDragDropData again(doc->first(), &shortcuts);
        QCOMPARE(again.data(mime(exchange::kUriList)), list);
        QVERIFY(QFileInfo::exists(first));
        kept = QString::fromStdString(shortcuts.folder());
    }
    // The session's folder goes with the trees.
    QVERIFY(!kept.isEmpty());
    QVERIFY(!QFileInfo::exists(kept));
}

void DocumentTreesTest::anotherProcessesPrivateFormatIsRefused() {
    auto doc = open();
    doc->model().createresultobject(page("http://a.example/", "a"), OrgProp{},
                                    doc->model().orgroot(), nullptr);
    doc->show();
    QMimeData foreign;
    const std::string other = exchange::privateFormat(static_cast<std::uint32_t>(::getpid()) + 1);
    foreign.setData(QString::fromStdString(other), QByteArray());
    foreign.setData(mime(exchange::kUriList), "http://b.example/\r\n");
    QCOMPARE(doc->first().dropEffect(foreign, nullptr, false, false), dropeffect::None);

    QMimeData browser;
    browser.setData(mime(exchange::kUriList), "http://b.example/\r\n");
    QCOMPARE(doc->first().dropEffect(browser, nullptr, false, false), dropeffect::Copy);
}

void DocumentTreesTest::dropsMoveCopyAndNeverIntoTheirOwnSubtree() {
    auto doc = open();
    DDoc& m = doc->model();
    OrgRef2& folder = m.createfolder(Str("folder"), m.orgroot(), nullptr);
    OrgRef2& inner = m.createfolder(Str("inner"), folder, nullptr);
    OrgRef2& item =
        m.createresultobject(page("http://a.example/x", "x"), OrgProp{}, m.orgroot(), nullptr);
    UrlRef* domain = m.filedomainnode("http://a.example/x");
    doc->show();

    rowOf(folder).select(true);
    UrlDragDropData own(doc->first());
    QCOMPARE(doc->first().dropEffect(own, &rowOf(inner), false, false), dropeffect::None);
    QCOMPARE(doc->first().dropEffect(own, &rowOf(inner), false, true), dropeffect::Copy);

    // An open folder dragged down: refused over itself, where the drag
    // starts, and over its own children, and still taken further down.
    rowOf(folder).expand(true);
    auto moveOver = [&](TreeViewNode& row) {
        OrganizerTreeView& tree = doc->first();
        const QPoint at(row.labelLeft() + 4 - tree.scrollX(),
                        tree.nodeTop(row) - tree.scrollY() + tree.lineHeight() / 2);
        const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
        QDragEnterEvent enter(at, actions, &own, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(tree.viewport(), &enter);
        QDragMoveEvent move(at, actions, &own, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(tree.viewport(), &move);
        return move.isAccepted();
    };
    QVERIFY(!moveOver(rowOf(folder)));
    QVERIFY(moveOver(rowOf(item)));
    QVERIFY(!moveOver(rowOf(inner)));
    QVERIFY(moveOver(rowOf(item)));

    doc->first().clearSelection();
    rowOf(item).select(true);
    QVERIFY(doc->trees().treeDrop(folder, own, dropeffect::Move));
    QCOMPARE(item.parent(), static_cast<Tree*>(&folder));
    QVERIFY(doc->editor.isDirty());
    QCOMPARE(rowOf(item).parent(), &rowOf(folder));

    // Nodes of the domain tree are always copied as organizer nodes.
    rowOf(*domain).select(true);
    UrlDragDropData sites(doc->second());
    QCOMPARE(doc->first().dropEffect(sites, &rowOf(inner), false, false), dropeffect::Copy);
    QVERIFY(doc->trees().treeDrop(inner, sites, dropeffect::Copy));
    auto* copy = static_cast<Ref*>(inner.firstchild());
    QVERIFY(copy != nullptr);
    QCOMPARE(copy->target(), domain->target());
    QCOMPARE(domain->parent() != &inner, true);
}

// An open folder dragged downward, the events entering at the window as the
// platform sends them: the window routes them to the tree's viewport, and
// each move starts out with the answer to the one before (accepted when it
// was). Over the folder itself and its children the drag is refused; the rows
// below and the empty space take it, whatever was refused before.
void DocumentTreesTest::anOpenFolderDraggedDownDropsOnARowBelowAndIntoEmptySpace() {
    auto doc = open();
    DDoc& m = doc->model();
    OrgRef2& folder = m.createfolder(Str("folder"), m.orgroot(), nullptr);
    OrgRef2& child =
        m.createresultobject(page("http://a.example/c", "child"), OrgProp{}, folder, nullptr);
    OrgRef2& below = m.createfolder(Str("below"), m.orgroot(), nullptr);
    OrgRef2& last =
        m.createresultobject(page("http://a.example/l", "last"), OrgProp{}, m.orgroot(), nullptr);
    doc->show();
    OrganizerTreeView& tree = doc->first();
    QWindow* window = tree.window()->windowHandle();
    QVERIFY(window);

    const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
    Qt::DropAction answered = Qt::IgnoreAction;
    auto at = [&](const Ref& node) {
        TreeViewNode& row = rowOf(node);
        return tree.viewport()->mapTo(
            tree.window(), QPoint(row.labelLeft() + 4 - tree.scrollX(),
                                  tree.nodeTop(row) - tree.scrollY() + tree.lineHeight() / 2));
    };
    auto empty = [&] {
        return tree.viewport()->mapTo(
            tree.window(), QPoint(tree.viewport()->width() / 2, tree.viewport()->height() - 4));
    };
    // Returns whether the move was taken.
    auto drag = [&](UrlDragDropData& data, QPoint to, bool enter) {
        if (enter) {
            QDragEnterEvent event(to, actions, &data, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(window, &event);
            answered = event.isAccepted() ? event.dropAction() : Qt::IgnoreAction;
        }
        QDragMoveEvent event(to, actions, &data, Qt::LeftButton, Qt::NoModifier);
        if (answered != Qt::IgnoreAction) {
            event.setDropAction(answered);
            event.accept();
        }
        QCoreApplication::sendEvent(window, &event);
        answered = event.isAccepted() ? event.dropAction() : Qt::IgnoreAction;
        return event.isAccepted();
    };
    auto drop = [&](UrlDragDropData& data, QPoint to) {
        QDropEvent event(to, actions, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window, &event);
        return event.isAccepted();
    };

    // The folder dragged over the positions in turn, each refused or taken
    // as given, and dropped at the last: the step that went otherwise, or -1.
    auto dragFolder = [&](const std::vector<std::pair<QPoint, bool>>& path) {
        doc->focusFirst(rowOf(folder));
        UrlDragDropData data(tree);
        for (std::size_t i = 0; i < path.size(); ++i) {
            if (drag(data, path[i].first, i == 0) != path[i].second)
                return static_cast<int>(i);
        }
        return drop(data, path.back().first) ? -1 : static_cast<int>(path.size());
    };

    rowOf(folder).expand(true);
    QCOMPARE(dragFolder({{at(folder), false},
                         {at(child), false},
                         {at(below), true},
                         {at(child), false},
                         {at(last), true},
                         {at(folder), false},
                         {empty(), true}}),
             -1);
    QCOMPARE(m.orgroot().lastchild(), static_cast<Tree*>(&folder));
    QCOMPARE(child.parent(), static_cast<Tree*>(&folder));

    // Again from its new place at the bottom: upward onto a row, after a
    // refusal over its own child.
    rowOf(folder).expand(true);
    QCOMPARE(dragFolder({{at(folder), false}, {at(child), false}, {at(below), true}}), -1);
    QCOMPARE(folder.parent(), static_cast<Tree*>(&below));
    QCOMPARE(rowOf(folder).parent(), &rowOf(below));
}

void DocumentTreesTest::aBrowserLinkDroppedBecomesAReference() {
    auto doc = open();
    DDoc& m = doc->model();
    OrgRef2& folder = m.createfolder(Str("folder"), m.orgroot(), nullptr);
    doc->show();
    QMimeData link;
    const QString text = QStringLiteral("http://b.example/page\nB's page");
    link.setData(mime(exchange::kMozUrl),
                 QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2));
    QVERIFY(doc->trees().treeDrop(folder, link, dropeffect::Copy));
    auto* added = static_cast<Ref*>(folder.firstchild());
    QVERIFY(added && added->target());
    QCOMPARE(added->target()->props().title.view(), std::string_view("B's page"));
    QVERIFY(added->target()->hasflags(Object::Confirmed));
    QVERIFY(m.finddomainnode("http://b.example/page") != nullptr);
    QVERIFY(doc->editor.isDirty());

    // The title comes along however the browser offers it.
    UnlistedMozUrl hidden;
    hidden.setData(mime(exchange::kUriList), "http://c.example/c\r\n");
    const QString moz = QStringLiteral("http://c.example/c\nКоты");
    hidden.moz = QByteArray(reinterpret_cast<const char*>(moz.utf16()), moz.size() * 2);
    QVERIFY(!hidden.hasFormat(mime(exchange::kMozUrl)));
    QMimeData html;
    html.setData(mime(exchange::kUriList), "http://d.example/d\r\n");
    html.setHtml(QStringLiteral("<a href=\"http://d.example/d\">D &amp; co</a>"));
    QMimeData netscape;
    netscape.setData(mime(exchange::kNetscapeUrl), "http://e.example/e\nE page");
    for (const QMimeData* data :
         {static_cast<const QMimeData*>(&hidden), static_cast<const QMimeData*>(&html),
          static_cast<const QMimeData*>(&netscape)})
        QVERIFY(doc->trees().treeDrop(folder, *data, dropeffect::Copy));
    QStringList titles;
    for (Tree* n = folder.firstchild(); n; n = n->nextsibling())
        titles << QString::fromStdString(
            std::string(static_cast<Ref*>(n)->target()->props().title.view()));
    QCOMPARE(titles, (QStringList{QStringLiteral("B's page"), QStringLiteral("Коты"),
                                  QStringLiteral("D & co"), QStringLiteral("E page")}));
}

void DocumentTreesTest::pastingLinksOfAnotherProgramFilesThem() {
    auto doc = open();
    OrgRef2& folder = doc->model().createfolder(Str("folder"), doc->model().orgroot(), nullptr);
    doc->show();
    doc->focusFirst(rowOf(folder));
    ui::View& view = *doc->view;
    doc::CommandState state;
    auto clip = [](std::initializer_list<std::pair<std::string_view, QByteArray>> formats) {
        auto* data = new QMimeData;
        for (const auto& [format, bytes] : formats)
            data->setData(mime(format), bytes);
        QGuiApplication::clipboard()->setMimeData(data);
    };
    auto titles = [&folder] {
        QStringList out;
        for (Tree* n = folder.firstchild(); n; n = n->nextsibling())
            out << QString::fromStdString(
                std::string(static_cast<Ref*>(n)->target()->props().title.view()) + " " +
                std::string(static_cast<Ref*>(n)->target()->props().url.view()));
        return out;
    };

    // Text that is not only addresses pastes nothing, and Paste says so.
    clip({{exchange::kPlainText, "see http://a.example/"}});
    QVERIFY(view.commandState(ui::cmd::EditPaste, state));
    QVERIFY(!state.enabled);
    QVERIFY(!doc->trees().paste());
    QVERIFY(!doc->editor.isDirty());

    // A browser's copied link, with its title beside the address list.
    clip({{exchange::kUriList, "http://a.example/a\r\n"},
          {exchange::kHtml, "<a href=\"http://a.example/a\">Page A</a>"}});
    QVERIFY(view.commandState(ui::cmd::EditPaste, state) && state.enabled);
    doc->frame.execute(ui::cmd::EditPaste);
    // Plain text of two addresses, one a line.
    clip({{exchange::kPlainText, "https://b.example/x\n\nHTTP://c.example/c\n"}});
    doc->frame.execute(ui::cmd::EditPaste);
    QCOMPARE(titles(), (QStringList{QStringLiteral("Page A http://a.example/a"),
                                    QStringLiteral(" https://b.example/x"),
                                    QStringLiteral(" HTTP://c.example/c")}));
    QVERIFY(doc->editor.isDirty());
}

void DocumentTreesTest::copyAndPasteIntoAnotherDocumentKeepsEveryProperty() {
    auto from = open();
    ObjectProp props = page("http://a.example/full", "Full page");
    props.status = Str("not found");
    props.comment = Str("a comment");
    props.charset = 3;
    props.size = 12345;
    props.servers = 5;
    props.modified.year = 2001;
    props.modified.month = 2;
    props.modified.day = 3;
    OrgRef2& result =
        from->model().createresultobject(props, OrgProp{40, 2}, from->model().orgroot(), nullptr);
    from->show();
    rowOf(result).select(true);
    from->first().setFocusNode(&rowOf(result));
    QVERIFY(from->trees().copy());
    const QMimeData* clip = QGuiApplication::clipboard()->mimeData();
    QVERIFY(clip->hasFormat(mime(exchange::kOrganizer)));
    QCOMPARE(clip->data(mime(exchange::kUriList)), QByteArray("http://a.example/full\r\n"));
    // Every text target carries the address, not the label.
    QCOMPARE(clip->data(mime(exchange::kText)), QByteArray("http://a.example/full\n"));
    QCOMPARE(clip->data(mime(exchange::kPlainText)), QByteArray("http://a.example/full\n"));

    auto to = open();
    to->show();
    to->first().setFocusNode(&to->first().treeRoot());
    doc::CommandState state;
    QVERIFY(to->view->commandState(ui::cmd::EditPaste, state) && state.enabled);
    QVERIFY(to->trees().paste());
    auto* pasted = static_cast<OrgRef2*>(to->model().orgroot().firstchild());
    QVERIFY(pasted && pasted->target());
    const ObjectProp& got = pasted->target()->props();
    QCOMPARE(got.title.view(), props.title.view());
    QCOMPARE(got.url.view(), props.url.view());
    QCOMPARE(got.status.view(), props.status.view());
    QCOMPARE(got.comment.view(), props.comment.view());
    QCOMPARE(got.charset, props.charset);
    QCOMPARE(got.size, props.size);
    QCOMPARE(got.servers, props.servers);
    QCOMPARE(got.modified.year, props.modified.year);
    QCOMPARE(pasted->orgprop().fitness, std::uint16_t(40));
    QVERIFY(pasted->viewitem() != nullptr);
    QVERIFY(to->editor.isDirty());
}

void DocumentTreesTest::rowsFollowTheirPagesPropertiesWithoutARebuild() {
    auto doc = open();
    DDoc& m = doc->model();
    OrgRef2& parent =
        m.createresultobject(page("http://a.example/p", "P"), OrgProp{}, m.orgroot(), nullptr);
    // A result sharing its parent's title shows its address instead.
    OrgRef2& child =
        m.createresultobject(page("http://a.example/c", "P"), OrgProp{}, parent, nullptr);
    OrgRef2& twin = m.createresult(parent.target(), nullptr, m.orgroot(), nullptr, false);
    m.filedomainnode("http://a.example/p");
    doc->show();
    QCOMPARE(rowOf(child).label(), std::string("http://a.example/c"));
    const TreeViewNode* twinRow = &rowOf(twin);

    // The properties dialog, as the user runs it on the focused row.
    doc->focusFirst(rowOf(parent));
    doc->scripted.handleNextDialog([](QDialog& d) {
        d.findChild<QLineEdit*>(QStringLiteral("110"))->setText(QStringLiteral("New title"));
        QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("1")), Qt::LeftButton);
        return d.result();
    });
    doc->frame.execute(ui::cmd::Properties);
    QCOMPARE(doc->scripted.dialogsRun(), QStringList{QStringLiteral("ObjPropDialog")});
    QCOMPARE(rowOf(parent).label(), std::string("New title"));
    QCOMPARE(rowOf(twin).label(), std::string("New title"));
    QCOMPARE(&rowOf(twin), twinRow);
    QCOMPARE(rowOf(child).label(), std::string("P"));

    // A search run or the checker merging a newer date into a known page.
    ObjectProp newer = parent.target()->props();
    newer.modified.year = 2020;
    newer.modified.month = 5;
    newer.modified.day = 6;
    m.mergeprops(*parent.target(), newer);
    QVERIFY(rowOf(parent).label().starts_with("New title ["));
    QCOMPARE(rowOf(twin).label(), rowOf(parent).label());
    QCOMPARE(&rowOf(twin), twinRow);
}

void DocumentTreesTest::aDocumentDroppedOnATreeOpensInsteadOfBecomingAReference() {
    auto doc = open();
    doc->show();
    // One by its name, one by its first bytes only.
    const std::string named = setup_->dir.file("other.QXO");
    const std::string magic = setup_->dir.file("renamed.bin");
    for (const std::string& path : {named, magic}) {
        QFile file(QString::fromStdString(path));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(DocumentFormat::kMagic, DocumentFormat::kMagicSize);
    }
    QSignalSpy opened(&doc->frame, &ui::FrameWindow::filesDropped);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(named)),
                  QUrl::fromLocalFile(QString::fromStdString(magic))});
    QCOMPARE(doc->first().dropEffect(data, nullptr, false, false), dropeffect::Copy);
    QVERIFY(doc->trees().treeDrop(doc->model().orgroot(), data, dropeffect::Copy));
    QCOMPARE(opened.count(), 1);
    QCOMPARE(opened.front().front().toStringList().size(), 2);
    QVERIFY(doc->model().orgroot().firstchild() == nullptr);
    QVERIFY(doc->model().finddomainnode("file:///") == nullptr);
}

QTEST_MAIN(DocumentTreesTest)
#include "DocumentTreesTest.moc"
