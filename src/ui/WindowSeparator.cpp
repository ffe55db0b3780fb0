#include "ui/WindowSeparator.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace qx::ui {

WindowSeparator::WindowSeparator(Qt::Orientation orientation, int id, QWidget* parent)
    : QWidget(parent), orientation_(orientation), id_(id) {
    setObjectName(QString::number(id));
    setCursor(orientation == Qt::Vertical ? Qt::SplitHCursor : Qt::SplitVCursor);
}

int WindowSeparator::centre() const {
    return orientation_ == Qt::Vertical ? x() + width() / 2 : y() + height() / 2;
}

void WindowSeparator::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    dragging_ = true;
    grabOffset_ = orientation_ == Qt::Vertical ? event->position().toPoint().x()
                                               : event->position().toPoint().y();
    raise();
}

void WindowSeparator::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_ || !parentWidget())
        return;
    const QPoint inParent = mapToParent(event->position().toPoint());
    if (orientation_ == Qt::Vertical) {
        int left = std::clamp(inParent.x() - grabOffset_, 0,
                              std::max(0, parentWidget()->width() - width()));
        move(left, y());
    } else {
        int top = std::clamp(inParent.y() - grabOffset_, 0,
                             std::max(0, parentWidget()->height() - height()));
        move(x(), top);
    }
}

void WindowSeparator::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !dragging_)
        return;
    dragging_ = false;
    emit released(centre());
}

void WindowSeparator::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    painter.setPen(palette().color(QPalette::Light));
    if (orientation_ == Qt::Vertical)
        painter.drawLine(0, 0, 0, height() - 1);
    else
        painter.drawLine(0, 0, width() - 1, 0);
    painter.setPen(palette().color(QPalette::Dark));
    if (orientation_ == Qt::Vertical)
        painter.drawLine(width() - 1, 0, width() - 1, height() - 1);
    else
        painter.drawLine(0, height() - 1, width() - 1, height() - 1);
}

} // namespace qx::ui
