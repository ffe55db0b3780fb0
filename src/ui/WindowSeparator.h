#pragma once

#include <QWidget>

namespace qx::ui {

// A thin bar between two panes that the user drags with the mouse. It follows
// the mouse inside its parent while dragged and reports where its centre line
// was released; the owner then lays the panes out again.
class WindowSeparator : public QWidget {
    Q_OBJECT
public:
    // A vertical separator stands between panes side by side and moves left
    // and right; a horizontal one moves up and down.
    WindowSeparator(Qt::Orientation orientation, int id, QWidget* parent);

    Qt::Orientation orientation() const { return orientation_; }
    int id() const { return id_; }
    // The centre line in the parent's coordinates: x for a vertical separator,
    // y for a horizontal one.
    int centre() const;

signals:
    void released(int centre);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    Qt::Orientation orientation_;
    int id_;
    bool dragging_ = false;
    int grabOffset_ = 0; // where inside the bar the mouse took hold
};

} // namespace qx::ui
