#include "ui/tree/RefImageStrip.h"

#include <QPainter>
#include <QPainterPath>

namespace qx {

namespace {

constexpr int kKindColumns = 14;
constexpr int kStatusColumns = 4;

// A sheet of paper with a folded corner, tinted by the kind.
void page(QPainter& p, QRect cell, QColor tint) {
    const QRect r = cell.adjusted(3, 1, -3, -1);
    QPainterPath sheet;
    sheet.moveTo(r.left(), r.top());
    sheet.lineTo(r.right() - 3, r.top());
    sheet.lineTo(r.right(), r.top() + 3);
    sheet.lineTo(r.right(), r.bottom());
    sheet.lineTo(r.left(), r.bottom());
    sheet.closeSubpath();
    p.setPen(QColor(90, 90, 90));
    p.setBrush(tint);
    p.drawPath(sheet);
    p.setPen(QColor(150, 150, 150));
    for (int y = r.top() + 5; y < r.bottom() - 1; y += 3)
        p.drawLine(r.left() + 2, y, r.right() - 2, y);
}

void star(QPainter& p, QPoint c, QColor color) {
    QPainterPath s;
    s.moveTo(c.x(), c.y() - 4);
    s.lineTo(c.x() + 1, c.y() - 1);
    s.lineTo(c.x() + 4, c.y());
    s.lineTo(c.x() + 1, c.y() + 1);
    s.lineTo(c.x(), c.y() + 4);
    s.lineTo(c.x() - 1, c.y() + 1);
    s.lineTo(c.x() - 4, c.y());
    s.lineTo(c.x() - 1, c.y() - 1);
    s.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPath(s);
}

void magnifier(QPainter& p, QRect cell) {
    p.setPen(QPen(QColor(40, 70, 140), 2));
    p.setBrush(QColor(200, 220, 255));
    p.drawEllipse(cell.left() + 2, cell.top() + 2, 8, 8);
    p.drawLine(cell.left() + 10, cell.top() + 10, cell.left() + 14, cell.top() + 14);
}

void kind(QPainter& p, int column, QRect cell) {
    switch (column) {
    case 3: // changed
        page(p, cell, QColor(255, 236, 190));
        p.setPen(QPen(QColor(220, 120, 0), 2));
        p.drawLine(cell.left() + 5, cell.bottom() - 3, cell.right() - 4, cell.bottom() - 3);
        break;
    case 4: // seen again
        page(p, cell, QColor(220, 240, 220));
        break;
    case 5: // new
        page(p, cell, Qt::white);
        star(p, cell.topLeft() + QPoint(11, 5), QColor(230, 40, 40));
        break;
    case 10: // not found
        page(p, cell, QColor(235, 235, 235));
        p.setPen(QPen(QColor(200, 0, 0), 2));
        p.drawLine(cell.left() + 4, cell.top() + 4, cell.right() - 4, cell.bottom() - 4);
        p.drawLine(cell.right() - 4, cell.top() + 4, cell.left() + 4, cell.bottom() - 4);
        break;
    case 13: // saved search
        magnifier(p, cell);
        break;
    default:
        page(p, cell, Qt::white);
        break;
    }
}

void status(QPainter& p, int column, QRect cell) {
    const QPoint c = cell.center();
    p.setPen(Qt::NoPen);
    switch (column) {
    case 1: // not found or failed
        p.setBrush(QColor(210, 30, 30));
        break;
    case 2: // unchanged
        p.setBrush(QColor(30, 160, 60));
        break;
    case 3: // changed
        p.setBrush(QColor(240, 170, 0));
        break;
    default:
        return;
    }
    p.drawEllipse(c, 3, 3);
}

} // namespace

const QPixmap& RefImageStrip::pixmap() {
    static const QPixmap strip = draw();
    return strip;
}

QPixmap RefImageStrip::draw() {
    QPixmap strip(kKindSize * kKindColumns, kStatusTop + kKindSize);
    strip.fill(Qt::transparent);
    QPainter p(&strip);
    p.setRenderHint(QPainter::Antialiasing);
    for (int row = 0; row < 2; ++row) {
        // Pages the web never confirmed are drawn paler.
        p.setOpacity(row == 0 ? 1.0 : 0.45);
        for (int column = 0; column < kKindColumns; ++column)
            kind(p, column, kindCell(column, row));
    }
    p.setOpacity(1.0);
    for (int column = 1; column < kStatusColumns; ++column)
        status(p, column, statusCell(column));
    return strip;
}

} // namespace qx
