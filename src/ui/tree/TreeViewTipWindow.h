#pragma once

#include <QWidget>

namespace qx {

// The pop-up that shows a clipped label in full over its row. It never takes
// the focus or the mouse: the pointer stays with the tree view underneath.
class TreeViewTipWindow : public QWidget {
    Q_OBJECT
public:
    explicit TreeViewTipWindow(QWidget* control);

    // Shows text with its left edge at textLeft, centred in the row's height
    // (global coordinates), kept inside the screen's work area.
    void showText(const QString& text, QPoint textLeft, int rowHeight);
    const QString& text() const { return text_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
};

} // namespace qx
