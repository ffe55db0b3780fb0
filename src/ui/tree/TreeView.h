#pragma once

#include "ui/tree/QtTextMeasurer.h"
#include "ui/tree/TreeViewColors.h"
#include "ui/tree/TreeViewPainter.h"
#include "ui/tree/model/TipTracker.h"
#include "ui/tree/model/TreeViewModel.h"

#include <QAbstractScrollArea>
#include <QEvent>
#include <QList>
#include <QPixmap>
#include <QTimer>

#include <memory>

namespace qx {

class TreeViewTipWindow;

// The program's own tree view control: a window over a TreeViewModel that
// paints the rows on screen, turns Qt input into the model's rules, runs the
// tip window and the drag auto-scroll, and scrolls by pixels. Derived views
// (the reference trees, the thread window) override the model's operations and
// the painting pieces below.
class TreeView : public QAbstractScrollArea, public TreeViewModel, private TipWindowSink {
    Q_OBJECT
public:
    // The private message a derived view posts to itself to run pending layout.
    static constexpr QEvent::Type RunLayoutEvent = QEvent::User;
    using PaintMode = TreeViewPainter::Mode;

    explicit TreeView(QWidget* parent = nullptr, std::uint32_t style = treestyle::Default);
    ~TreeView() override;

    void setTreeStyle(std::uint32_t style) override;

    // Image index n of a node draws entry n - 1 of the list; an empty list is
    // no list. Every image takes the width of the list's first one.
    void setImageList(int which, QList<QPixmap> images);

    void setPaintMode(PaintMode mode);
    PaintMode paintMode() const { return paintMode_; }
    void setGrayedTextColor(const QColor& color);
    // index: 0 normal, 1 alternate, 2 selected, 3 selected and alternate.
    void setColorPair(int index, const QColor& text, const QColor& background);
    const TreeViewColors& colors() const { return colors_; }

    void postPendingLayout();
    // Null unless the style asks for tips.
    TreeViewTipWindow* tipWindow() const { return tip_.get(); }

protected:
    // Painting pieces a derived view may change.
    virtual void paintNode(QPainter& painter, const TreeRow& row);
    virtual void drawImage(QPainter& painter, int which, int index, const QRect& rect);
    // Drops (style 0x04): the action for data over a point, and the drop itself.
    // The plain control refuses everything.
    virtual Qt::DropAction dropAction(const QDropEvent& event, const TreeHit& hit);
    virtual bool dropData(QDropEvent& event, const TreeHit& hit);

    void invalidate(const TreeRect& rect) override;
    void scrollStateChanged() override;
    bool controlHasFocus() const override;
    void nodeLeaving(TreeViewNode& node, bool staysInView) override;

    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void startTipTimer() override;
    void stopTipTimer() override;
    bool showTip(TreeViewNode& node) override;
    void hideTip() override;

    void applyStyleBits();
    void readMetrics();
    void reportToTip(QPoint pos);
    void autoScrollTimeout();

    QtTextMeasurer measurer_;
    TreeViewColors colors_;
    PaintMode paintMode_ = PaintMode::Default;
    QList<QPixmap> images_[2];
    TipTracker tracker_;
    std::unique_ptr<TreeViewTipWindow> tip_;
    QTimer tipTimer_;
    QTimer autoScrollTimer_;
    bool pointerInside_ = false;
    bool syncing_ = false;
};

} // namespace qx
