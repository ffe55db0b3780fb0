#include "ui/tree/TreeView.h"
#include "ui/tree/TreeViewTipWindow.h"
#include "ui/tree/model/Clock.h"
#include "ui/tree/model/TipTracker.h"
#include "ui/tree/model/TreeViewNode.h"
#include "ui/tree/model/TreeViewRoot.h"

#include <QScrollBar>
#include <QtTest>

using namespace qx;

namespace {

// A clock moved by hand: the tip's delays pass when the test says so.
class HandClock : public Clock {
public:
    std::int64_t nowMs() const override { return now; }
    std::int64_t now = 1000;
};

TreeViewNode* add(TreeViewNode& parent, const QString& label) {
    return parent.append(std::make_unique<TreeViewNode>(label.toStdString()));
}

void fill(TreeView& view, int count) {
    for (int i = 0; i < count; ++i)
        add(view.treeRoot(), QStringLiteral("node %1").arg(i));
}

QPixmap square(const QColor& color, int size) {
    QPixmap p(size, size);
    p.fill(color);
    return p;
}

void showActive(QWidget& w) {
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
}

} // namespace

class TreeViewTest : public QObject {
    Q_OBJECT
private slots:
    void paintsEveryStyleAndMode();
    void selectedLabelUsesHighlightOnlyWithFocus();
    void wheelScrollsByLines();
    void tipShowsAClippedLabel();
    void keyboardMovesTheFocus();
    void clickSelectsAndButtonCellExpands();
    void postedLayoutMessageRunsPendingLayout();
    void followsPaletteAndFont();
    void styleBitsReachTheWindow();
};

void TreeViewTest::paintsEveryStyleAndMode() {
    const std::uint32_t styles[] = {
        treestyle::Default,
        treestyle::Lines,
        0,
        treestyle::Default | treestyle::Tips | treestyle::DropTarget,
        treestyle::Default | treestyle::MultiLine,
        treestyle::Default | treestyle::MultiLine | treestyle::WrapLabels,
        treestyle::Default | treestyle::NoSelection | treestyle::Reserved800,
    };
    for (std::uint32_t style : styles) {
        for (auto mode : {TreeView::PaintMode::Default, TreeView::PaintMode::ColorPairs}) {
            TreeView view(nullptr, style);
            view.resize(160, 120);
            view.setPaintMode(mode);
            view.setImageList(0, {square(Qt::red, 16), square(Qt::blue, 16)});
            view.setImageList(1, {square(Qt::green, 10)});
            view.treeRoot().setLabel("root");
            TreeViewNode* a = add(view.treeRoot(), "a folder with a long name\nand a second line");
            a->setImage(0, 2);
            a->setImage(1, 1);
            add(*add(*a, "child"), "grandchild")->parent()->expand(true);
            a->expand(true);
            TreeViewNode* b = add(view.treeRoot(), "grayed");
            b->setGrayed(true);
            b->setAlternate(true);
            b->setImage(0, 9); // no such image: nothing drawn
            b->select(true);
            b->makeFocus();
            fill(view, 50);
            const QPixmap shot = view.grab();
            QVERIFY(!shot.isNull());
            view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum());
            view.horizontalScrollBar()->setValue(view.horizontalScrollBar()->maximum());
            QVERIFY(!view.grab().isNull());
        }
    }
}

void TreeViewTest::selectedLabelUsesHighlightOnlyWithFocus() {
    TreeView view(nullptr, treestyle::Lines);
    view.resize(200, 100);
    TreeViewNode* a = add(view.treeRoot(), "selected");
    a->select(true);
    a->makeFocus();
    showActive(view);
    view.setFocus();
    QTRY_VERIFY(view.hasFocus());
    const int y = view.nodeTop(*a) + a->rowHeight() / 2;
    const int x = a->labelLeft() + a->right() - a->labelLeft() - 2; // inside, right of the text
    QImage shot = view.viewport()->grab().toImage();
    QCOMPARE(QColor(shot.pixel(x, y)), view.colors().selectedBackground);

    // Another window active (a find dialog of this one): the view gets the
    // keys again when its window does, so its selection stays in sight, in
    // the inactive colours.
    QWidget other;
    showActive(other);
    QTRY_VERIFY(!view.hasFocus());
    shot = view.viewport()->grab().toImage();
    QCOMPARE(QColor(shot.pixel(x, y)), view.colors().inactiveSelectedBackground);
    // Not the widget its window would give the keys to: no selection shown.
    view.clearFocus();
    shot = view.viewport()->grab().toImage();
    QCOMPARE(QColor(shot.pixel(x, y)), view.colors().background);
}

void TreeViewTest::wheelScrollsByLines() {
    TreeView view(nullptr, treestyle::Lines);
    view.resize(200, 150);
    fill(view, 200);
    showActive(view);
    QTRY_VERIFY(view.verticalScrollBar()->maximum() > 0);
    QCOMPARE(view.verticalScrollBar()->singleStep(), view.lineHeight());
    const QPoint at(50, 50);
    QWheelEvent wheel(at, view.viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view.viewport(), &wheel);
    QCOMPARE(view.scrollY(), QApplication::wheelScrollLines() * view.lineHeight());
    QCOMPARE(view.verticalScrollBar()->value(), view.scrollY());
    // The rows follow: the top row is now further down the tree.
    QCOMPARE(view.visibleRows().front().node->label(),
             "node " + std::to_string(QApplication::wheelScrollLines()));
}

void TreeViewTest::tipShowsAClippedLabel() {
    HandClock clock;
    TreeView view(nullptr, treestyle::Lines | treestyle::Tips);
    view.setClock(clock);
    view.resize(120, 100);
    TreeViewNode* shortOne = add(view.treeRoot(), "short");
    TreeViewNode* longOne =
        add(view.treeRoot(), "a label far too long for this narrow window to hold");
    showActive(view);
    QVERIFY(view.tipWindow());
    QCOMPARE(view.tipWindow()->objectName(), QStringLiteral("TreeViewTipWindow"));

    const QPoint onShort(shortOne->labelLeft() + 3, view.nodeTop(*shortOne) + 5);
    QTest::mouseMove(view.viewport(), onShort);
    // A label that fits is never tracked: however long the pointer rests on
    // it, no tick is waiting to show it.
    clock.now += TipTracker::kShowDelayMs + 200;
    QCoreApplication::processEvents();
    QVERIFY(!view.tipWindow()->isVisible());

    const QPoint onLong(longOne->labelLeft() + 3, view.nodeTop(*longOne) + 5);
    QTest::mouseMove(view.viewport(), onLong);
    clock.now += TipTracker::kShowDelayMs + 100;
    QTRY_VERIFY(view.tipWindow()->isVisible());
    QCOMPARE(view.tipWindow()->text().toStdString(), longOne->label());
    const QRect screen = view.screen()->availableGeometry();
    QVERIFY(screen.contains(view.tipWindow()->geometry()));

    // Removing the node takes the tip away.
    longOne->remove();
    QVERIFY(!view.tipWindow()->isVisible());
}

void TreeViewTest::keyboardMovesTheFocus() {
    TreeView view(nullptr, treestyle::Lines);
    view.resize(200, 100);
    TreeViewNode* a = add(view.treeRoot(), "a");
    add(*a, "a0");
    add(view.treeRoot(), "b");
    fill(view, 30);
    showActive(view);
    view.setFocus();
    QTest::keyClick(&view, Qt::Key_Home);
    QCOMPARE(view.focusNode(), a);
    QTest::keyClick(&view, Qt::Key_Plus, Qt::KeypadModifier);
    QVERIFY(a->isExpanded());
    QTest::keyClick(&view, Qt::Key_Down);
    QCOMPARE(view.focusNode()->label(), "a0");
    QTest::keyClick(&view, Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(view.focusNode()->label(), "b");
    QCOMPARE(view.selectedCount(), 2);
    QTest::keyClick(&view, Qt::Key_End);
    QCOMPARE(view.focusNode()->label(), "node 29");
    QCOMPARE(view.verticalScrollBar()->value(), view.verticalScrollBar()->maximum());
    QTest::keyClick(&view, Qt::Key_Escape);
    QCOMPARE(view.selectedCount(), 0);
}

void TreeViewTest::clickSelectsAndButtonCellExpands() {
    TreeView view(nullptr, treestyle::Lines);
    view.resize(200, 100);
    TreeViewNode* a = add(view.treeRoot(), "a");
    a->setExpandOnDemand(true);
    TreeViewNode* b = add(view.treeRoot(), "b");
    showActive(view);
    const int rowB = view.nodeTop(*b) + 3;
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(b->labelLeft() + 2, rowB));
    QCOMPARE(view.focusNode(), b);
    QVERIFY(b->isSelected());
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(view.indentUnit() / 2, 3));
    QVERIFY(a->isExpanded());
}

void TreeViewTest::postedLayoutMessageRunsPendingLayout() {
    TreeView view(nullptr, treestyle::Lines);
    view.resize(200, 100);
    fill(view, 10);
    QVERIFY(view.layoutPending());
    view.postPendingLayout();
    QCoreApplication::sendPostedEvents(&view, TreeView::RunLayoutEvent);
    QVERIFY(!view.layoutPending());
    QCOMPARE(view.laidOutSize().height, 10 * view.lineHeight());
}

void TreeViewTest::followsPaletteAndFont() {
    TreeView view(nullptr, treestyle::Lines);
    view.setGrayedTextColor(Qt::darkYellow);
    QPalette pal = view.palette();
    pal.setColor(QPalette::Base, Qt::darkRed);
    view.setPalette(pal);
    QCOMPARE(view.colors().background, QColor(Qt::darkRed));
    QCOMPARE(view.colors().grayedText, QColor(Qt::darkYellow));

    const int before = view.lineHeight();
    QFont big = view.font();
    big.setPixelSize(40);
    view.setFont(big);
    QVERIFY(view.lineHeight() > before);
    QCOMPARE(view.indentUnit(), view.lineHeight());
}

void TreeViewTest::styleBitsReachTheWindow() {
    TreeView view(nullptr, treestyle::Default);
    QVERIFY(!view.acceptDrops());
    QVERIFY(!view.tipWindow());
    view.setTreeStyle(treestyle::Default | treestyle::DropTarget | treestyle::Tips);
    QVERIFY(view.acceptDrops());
    QVERIFY(view.tipWindow());
    view.setTreeStyle(treestyle::Default);
    QVERIFY(!view.tipWindow());

    // A derived view drawing its own images sets only their width.
    view.setImageWidth(0, 18);
    view.resize(150, 80);
    TreeViewNode* a = add(view.treeRoot(), "with an image");
    a->setImage(0, 4);
    QVERIFY(!view.grab().isNull());
    QCOMPARE(a->labelLeft(), 2 * view.indentUnit() + 18 + 2);
}

QTEST_MAIN(TreeViewTest)
#include "TreeViewTest.moc"
