#include "ui/tree/TreeView.h"

#include "ui/tree/TreeViewTipWindow.h"
#include "ui/tree/model/Clock.h"
#include "ui/tree/model/TreeViewNode.h"

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStyle>

namespace qx {

namespace {

TreePoint toTree(QPoint p) {
    return {p.x(), p.y()};
}

TreeModifiers modifiersOf(Qt::KeyboardModifiers m) {
    return {(m & Qt::ShiftModifier) != 0, (m & Qt::ControlModifier) != 0};
}

bool treeButton(Qt::MouseButton b, TreeButton& out) {
    if (b == Qt::LeftButton)
        out = TreeButton::Left;
    else if (b == Qt::RightButton)
        out = TreeButton::Right;
    else
        return false;
    return true;
}

bool treeKey(const QKeyEvent& e, TreeKey& out) {
    const bool keypad = (e.modifiers() & Qt::KeypadModifier) != 0;
    switch (e.key()) {
    case Qt::Key_Down:
        out = TreeKey::Down;
        return true;
    case Qt::Key_Up:
        out = TreeKey::Up;
        return true;
    case Qt::Key_Right:
        out = TreeKey::Right;
        return true;
    case Qt::Key_Left:
        out = TreeKey::Left;
        return true;
    case Qt::Key_PageDown:
        out = TreeKey::PageDown;
        return true;
    case Qt::Key_PageUp:
        out = TreeKey::PageUp;
        return true;
    case Qt::Key_Home:
        out = TreeKey::Home;
        return true;
    case Qt::Key_End:
        out = TreeKey::End;
        return true;
    case Qt::Key_Space:
        out = TreeKey::Space;
        return true;
    case Qt::Key_Escape:
        out = TreeKey::Escape;
        return true;
    case Qt::Key_Plus:
        out = TreeKey::Add;
        return keypad;
    case Qt::Key_Minus:
        out = TreeKey::Subtract;
        return keypad;
    default:
        return false;
    }
}

} // namespace

TreeView::TreeView(QWidget* parent, std::uint32_t style)
    : QAbstractScrollArea(parent), TreeViewModel(style), measurer_(font()), tracker_(*this) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    colors_.load(palette());
    tipTimer_.setInterval(TipTracker::kTickMs);
    connect(&tipTimer_, &QTimer::timeout, this,
            [this] { tracker_.timerTick(pointerInside_, clock().nowMs()); });
    autoScrollTimer_.setInterval(AutoScroller::kRepeatDelayMs / 2);
    connect(&autoScrollTimer_, &QTimer::timeout, this, &TreeView::autoScrollTimeout);
    readMetrics();
    setTextMeasurer(&measurer_);
    applyStyleBits();
}

TreeView::~TreeView() = default;

void TreeView::setTreeStyle(std::uint32_t style) {
    TreeViewModel::setTreeStyle(style);
    applyStyleBits();
}

void TreeView::applyStyleBits() {
    const std::uint32_t style = treeStyle();
    setAcceptDrops((style & treestyle::DropTarget) != 0);
    if ((style & treestyle::Tips) && !tip_) {
        tip_ = std::make_unique<TreeViewTipWindow>(this);
    } else if (!(style & treestyle::Tips) && tip_) {
        tracker_.forget(treeRoot()); // hides the tip and stops its timer
        tip_.reset();
    }
}

void TreeView::readMetrics() {
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    setAutoScrollInset((extent + extent) / 2);
    const int drag = QApplication::startDragDistance();
    setDragDistance((drag + drag) / 2);
}

void TreeView::setImageList(int which, QList<QPixmap> images) {
    QList<QPixmap>& list = images_[which != 0];
    list = std::move(images);
    setImageWidth(which, list.isEmpty() ? 0 : list.first().width());
}

void TreeView::setPaintMode(PaintMode mode) {
    paintMode_ = mode;
    viewport()->update();
}

void TreeView::setGrayedTextColor(const QColor& color) {
    colors_.setGrayedText(color);
    viewport()->update();
}

void TreeView::setColorPair(int index, const QColor& text, const QColor& background) {
    colors_.setPair(index, text, background);
    viewport()->update();
}

void TreeView::postPendingLayout() {
    QCoreApplication::postEvent(this, new QEvent(RunLayoutEvent));
}

void TreeView::paintNode(QPainter& painter, const TreeRow& row) {
    const bool focused = hasFocus();
    const QWidget* top = window();
    const bool waiting = !focused && top && !top->isActiveWindow() && top->focusWidget() == this;
    TreeViewPainter pieces(painter, *this, colors_, paintMode_, focused, waiting);
    const TreeZones& z = row.zones;
    pieces.lines(row, z);
    pieces.button(row, z);
    for (int which = 0; which < 2; ++which) {
        const int x = which == 0 ? z.firstImage : z.secondImage;
        if (x >= 0) {
            // A derived view that draws its own images may set a width without a list.
            const QList<QPixmap>& list = images_[which];
            const int height = list.isEmpty() ? row.node->rowHeight() : list.first().height();
            const QSize size(imageWidth(which), height);
            drawImage(painter, which, row.node->image(which), pieces.imageRect(row, x, size));
        }
    }
    pieces.label(row);
}

void TreeView::drawImage(QPainter& painter, int which, int index, const QRect& rect) {
    const QList<QPixmap>& list = images_[which != 0];
    if (index >= 1 && index <= list.size())
        painter.drawPixmap(rect.topLeft(), list[index - 1]);
}

Qt::DropAction TreeView::dropAction(const QDropEvent&, const TreeHit&) {
    return Qt::IgnoreAction;
}

bool TreeView::dropData(QDropEvent&, const TreeHit&) {
    return false;
}

void TreeView::invalidate(const TreeRect& r) {
    viewport()->update(QRect(r.left, r.top, r.width(), r.height()));
}

void TreeView::scrollStateChanged() {
    const QScopedValueRollback guard(syncing_, true);
    const TreeSize content = laidOutSize();
    const QSize view = viewport()->size();
    QScrollBar* v = verticalScrollBar();
    v->setRange(0, std::max(content.height - view.height(), 0));
    v->setPageStep(view.height());
    v->setSingleStep(lineHeight());
    v->setValue(scrollY());
    QScrollBar* h = horizontalScrollBar();
    h->setRange(0, std::max(content.width - view.width(), 0));
    h->setPageStep(view.width());
    h->setSingleStep(indentUnit());
    h->setValue(scrollX());
}

bool TreeView::controlHasFocus() const {
    return hasFocus();
}

void TreeView::nodeLeaving(TreeViewNode& node, bool staysInView) {
    TreeViewModel::nodeLeaving(node, staysInView);
    if (!staysInView)
        tracker_.forget(node);
}

bool TreeView::event(QEvent* event) {
    if (event->type() == RunLayoutEvent) {
        runPendingLayout();
        viewport()->update();
        return true;
    }
    return QAbstractScrollArea::event(event);
}

bool TreeView::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::Leave) {
        pointerInside_ = false;
        tracker_.mouseMessage(nullptr, {-1, -1}, isActiveWindow(), clock().nowMs());
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void TreeView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const QRect dirty = event->rect();
    painter.fillRect(dirty, colors_.background);
    const int width = viewport()->width();
    for (const TreeRow& row : visibleRows()) {
        const QRect r(0, row.top - scrollY(), width, row.node->rowHeight());
        if (r.intersects(dirty))
            paintNode(painter, row);
    }
}

void TreeView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    setViewportSize(viewport()->width(), viewport()->height());
}

void TreeView::scrollContentsBy(int, int) {
    if (!syncing_)
        scrollTo(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

void TreeView::reportToTip(QPoint pos) {
    pointerInside_ = viewport()->rect().contains(pos);
    TreeViewNode* item = tip_ ? tipItemAt(toTree(pos)) : nullptr;
    tracker_.mouseMessage(item, toTree(pos), isActiveWindow(), clock().nowMs());
}

void TreeView::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    reportToTip(pos);
    TreeButton button;
    if (treeButton(event->button(), button))
        mousePress(toTree(pos), button, modifiersOf(event->modifiers()));
}

void TreeView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    reportToTip(pos);
    mouseMove(toTree(pos), (event->buttons() & (Qt::LeftButton | Qt::RightButton)) != 0);
}

void TreeView::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    reportToTip(pos);
    TreeButton button;
    if (treeButton(event->button(), button))
        mouseRelease(toTree(pos), button);
}

void TreeView::mouseDoubleClickEvent(QMouseEvent* event) {
    // Double clicks belong to the derived view.
    reportToTip(event->position().toPoint());
    QAbstractScrollArea::mouseDoubleClickEvent(event);
}

void TreeView::wheelEvent(QWheelEvent* event) {
    reportToTip(event->position().toPoint());
    QAbstractScrollArea::wheelEvent(event);
}

void TreeView::keyPressEvent(QKeyEvent* event) {
    TreeKey key;
    if (treeKey(*event, key) && keyPress(key, modifiersOf(event->modifiers())))
        return;
    QAbstractScrollArea::keyPressEvent(event);
}

void TreeView::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void TreeView::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

void TreeView::changeEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::FontChange:
        measurer_.setFont(font());
        if (tip_)
            tip_->setFont(font());
        fontChanged();
        break;
    case QEvent::PaletteChange:
        colors_.load(palette());
        viewport()->update();
        break;
    case QEvent::StyleChange:
        readMetrics();
        break;
    default:
        break;
    }
    QAbstractScrollArea::changeEvent(event);
}

void TreeView::dragEnterEvent(QDragEnterEvent* event) {
    if (!(treeStyle() & treestyle::DropTarget)) {
        event->ignore();
        return;
    }
    // Whether a drop is possible is decided per move. The enter itself is
    // always taken, even where the first position is refused (a folder
    // dragged from its own row): a refused enter goes on to the widgets
    // behind the tree, the window that opens dropped documents among them,
    // and whichever takes it gets every later move of the drag, so the tree
    // would refuse until the pointer left it. Taking it also keeps the moves
    // coming for the auto-scroll.
    dragMoveEvent(event);
    if (!event->isAccepted()) {
        event->setDropAction(Qt::IgnoreAction);
        event->accept(QRect());
    }
}

void TreeView::dragMoveEvent(QDragMoveEvent* event) {
    const TreePoint pos = toTree(event->position().toPoint());
    dragOver(pos);
    if (autoScrolling() && !autoScrollTimer_.isActive())
        autoScrollTimer_.start();
    const Qt::DropAction action = dropAction(*event, hitTest(pos));
    // The answer holds for no area at all, so that every move is asked
    // again: one refused row (the dragged folder itself, where every drag
    // starts) must not refuse the rows around it until the pointer leaves.
    if (action == Qt::IgnoreAction) {
        event->ignore(QRect());
    } else {
        event->setDropAction(action);
        event->accept(QRect());
    }
}

void TreeView::dragLeaveEvent(QDragLeaveEvent* event) {
    dragEnded();
    autoScrollTimer_.stop();
    QAbstractScrollArea::dragLeaveEvent(event);
}

void TreeView::dropEvent(QDropEvent* event) {
    dragEnded();
    autoScrollTimer_.stop();
    if (dropData(*event, hitTest(toTree(event->position().toPoint()))))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TreeView::autoScrollTimeout() {
    autoScrollTick();
    if (!autoScrolling())
        autoScrollTimer_.stop();
}

void TreeView::startTipTimer() {
    tipTimer_.start();
}

void TreeView::stopTipTimer() {
    tipTimer_.stop();
}

bool TreeView::showTip(TreeViewNode& node) {
    if (!tip_)
        return false;
    for (const TreeRow& row : visibleRows()) {
        if (row.node != &node)
            continue;
        const TreeRect label = labelRect(row);
        const QPoint at = viewport()->mapToGlobal(QPoint(label.left + 1, row.top - scrollY()));
        tip_->showText(QString::fromStdString(node.label()), at, node.rowHeight());
        return true;
    }
    return false;
}

void TreeView::hideTip() {
    if (tip_)
        tip_->hide();
}

} // namespace qx
