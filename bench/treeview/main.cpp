// Our tree view against QTreeView over a QStandardItemModel with uniform row
// heights, on the same labels: 100 000 top-level rows and one first row with
// 100 000 children. Prints ours / QTreeView for each step (below 1: ours faster).

#include "ui/tree/TreeView.h"
#include "ui/tree/model/TreeViewNode.h"
#include "ui/tree/model/TreeViewRoot.h"

#include "QtBench.h"

#include <QApplication>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTreeView>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

using qx::bench::millis;

constexpr int kRows = 100000;
constexpr int kHitTests = 200000;
constexpr int kRuns = 5;
constexpr int kScrolls = 8;
constexpr QSize kWindow(600, 800);

std::vector<QString> makeLabels(const char* prefix) {
    std::vector<QString> labels;
    labels.reserve(kRows);
    for (int i = 0; i < kRows; ++i)
        labels.push_back(
            QStringLiteral("%1 %2 - a page title of ordinary length").arg(prefix).arg(i));
    return labels;
}

// Scrolls from the top to points around the middle that were never on screen
// and paints; the fastest of a few such jumps, to see past a busy machine.
double scrollToMiddles(QAbstractScrollArea& view) {
    QScrollBar* bar = view.verticalScrollBar();
    double best = 1e300;
    for (int i = 0; i < kScrolls; ++i) {
        bar->setValue(0);
        view.viewport()->repaint();
        const int target = bar->maximum() / 2 + i * 3 * bar->pageStep();
        best = std::min(best, millis([&] {
                            bar->setValue(target);
                            view.viewport()->repaint();
                        }));
    }
    return best;
}

struct Times {
    double expand = 0;
    double scroll = 0;
    double hit = 0;
};

Times runOurs(const std::vector<QString>& tops, const std::vector<QString>& children) {
    qx::TreeView view(nullptr, qx::treestyle::Lines | qx::treestyle::Draggable);
    view.resize(kWindow);
    qx::TreeViewRoot& root = view.treeRoot();
    qx::TreeViewNode* big = root.append(std::make_unique<qx::TreeViewNode>("big"));
    for (const QString& l : children)
        big->append(std::make_unique<qx::TreeViewNode>(l.toStdString()));
    for (const QString& l : tops)
        root.append(std::make_unique<qx::TreeViewNode>(l.toStdString()));
    qx::bench::showExposed(view);
    view.viewport()->repaint();

    Times t;
    t.expand = millis([&] {
        big->expand(true);
        view.viewport()->repaint();
    });
    if (view.layoutPending())
        std::puts("(our view did not paint)");
    t.scroll = scrollToMiddles(view);
    const qx::TreePoint middle{60, view.viewport()->height() / 2};
    std::uintptr_t sink = 0;
    t.hit = millis([&] {
        for (int i = 0; i < kHitTests; ++i)
            sink +=
                reinterpret_cast<std::uintptr_t>(view.hitTest({middle.x, middle.y + (i & 7)}).node);
    });
    if (sink == 0)
        std::puts("(no node hit)");
    return t;
}

Times runQt(const std::vector<QString>& tops, const std::vector<QString>& children) {
    QStandardItemModel model;
    auto* big = new QStandardItem(QStringLiteral("big"));
    QList<QStandardItem*> kids;
    for (const QString& l : children)
        kids.append(new QStandardItem(l));
    big->appendRows(kids);
    model.appendRow(big);
    for (const QString& l : tops)
        model.appendRow(new QStandardItem(l));
    QTreeView view;
    view.setUniformRowHeights(true);
    view.setHeaderHidden(true);
    view.resize(kWindow);
    view.setModel(&model);
    qx::bench::showExposed(view);
    view.viewport()->repaint();

    Times t;
    t.expand = millis([&] {
        view.expand(model.index(0, 0));
        view.viewport()->repaint();
    });
    t.scroll = scrollToMiddles(view);
    const QPoint middle(60, view.viewport()->height() / 2);
    qintptr sink = 0;
    t.hit = millis([&] {
        for (int i = 0; i < kHitTests; ++i)
            sink += view.indexAt(QPoint(middle.x(), middle.y() + (i & 7))).row();
    });
    if (sink == 0)
        std::puts("(no row hit)");
    return t;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::vector<QString> tops = makeLabels("Reference");
    const std::vector<QString> children = makeLabels("Result");

    Times ours{1e300, 1e300, 1e300};
    Times theirs{1e300, 1e300, 1e300};
    for (int run = 0; run < kRuns; ++run) {
        const Times a = runOurs(tops, children);
        const Times b = runQt(tops, children);
        ours = {std::min(ours.expand, a.expand), std::min(ours.scroll, a.scroll),
                std::min(ours.hit, a.hit)};
        theirs = {std::min(theirs.expand, b.expand), std::min(theirs.scroll, b.scroll),
                  std::min(theirs.hit, b.hit)};
    }
    std::printf("tree view, %d top-level rows and %d children; ratio ours / QTreeView\n", kRows,
                kRows);
    std::printf("expand + layout + paint first screen: %.3f\n", ours.expand / theirs.expand);
    std::printf("scroll to the middle + paint:         %.3f\n", ours.scroll / theirs.scroll);
    std::printf("hit test at the middle:               %.3f\n", ours.hit / theirs.hit);
    if (qEnvironmentVariableIsSet("QX_BENCH_RAW"))
        std::printf("raw ms: ours %.3f %.3f %.3f, QTreeView %.3f %.3f %.3f\n", ours.expand,
                    ours.scroll, ours.hit, theirs.expand, theirs.scroll, theirs.hit);
    return 0;
}
