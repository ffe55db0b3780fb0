#include "ui/ToolbarImages.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace qx::ui {

namespace {

// Accent colours that carry meaning (stop is red, a found thing is green) stay
// fixed; everything else comes from the palette.
const QColor kRed(200, 30, 30);
const QColor kGreen(20, 140, 40);
const QColor kBlue(30, 80, 190);
const QColor kYellow(235, 190, 50);
const QColor kSky(120, 170, 230);

class CellPainter {
public:
    CellPainter(QPainter& p, const QPalette& pal) : p_(p), pal_(pal) {}

    QColor ink() const { return pal_.color(QPalette::ButtonText); }
    QColor face() const { return pal_.color(QPalette::Button); }
    QColor paper() const { return pal_.color(QPalette::Base); }
    QColor shadow() const { return pal_.color(QPalette::Dark); }

    void pen(const QColor& c, qreal w = 1.0) {
        p_.setPen(QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    }
    void fill(const QColor& c) { p_.setBrush(c); }
    void noFill() { p_.setBrush(Qt::NoBrush); }

    // A sheet of paper with a folded corner.
    void page(qreal x, qreal y, qreal w, qreal h) {
        QPainterPath path;
        path.moveTo(x, y);
        path.lineTo(x + w - 4, y);
        path.lineTo(x + w, y + 4);
        path.lineTo(x + w, y + h);
        path.lineTo(x, y + h);
        path.closeSubpath();
        pen(ink());
        fill(paper());
        p_.drawPath(path);
        p_.drawPolyline(QPolygonF({{x + w - 4, y}, {x + w - 4, y + 4}, {x + w, y + 4}}));
    }
    void textLines(qreal x, qreal y, qreal w, int n) {
        pen(shadow());
        for (int i = 0; i < n; ++i)
            p_.drawLine(QPointF(x, y + 2.5 * i), QPointF(x + w, y + 2.5 * i));
    }
    void globe(qreal cx, qreal cy, qreal r) {
        pen(ink());
        fill(kSky);
        p_.drawEllipse(QPointF(cx, cy), r, r);
        pen(kBlue);
        noFill();
        p_.drawEllipse(QPointF(cx, cy), r * 0.45, r);
        p_.drawLine(QPointF(cx - r, cy), QPointF(cx + r, cy));
        p_.drawLine(QPointF(cx, cy - r), QPointF(cx, cy + r));
    }
    void lens(qreal cx, qreal cy, qreal r) {
        pen(ink(), 2.0);
        p_.drawLine(QPointF(cx + r * 0.7, cy + r * 0.7), QPointF(cx + r * 1.8, cy + r * 1.8));
        pen(ink(), 1.2);
        fill(paper());
        p_.drawEllipse(QPointF(cx, cy), r, r);
    }
    void cross(qreal cx, qreal cy, qreal r, const QColor& c) {
        pen(c, 2.2);
        p_.drawLine(QPointF(cx - r, cy - r), QPointF(cx + r, cy + r));
        p_.drawLine(QPointF(cx - r, cy + r), QPointF(cx + r, cy - r));
    }
    void tick(qreal x, qreal y, qreal s) {
        pen(kGreen, 2.2);
        p_.drawPolyline(QPolygonF({{x, y + s * 0.5}, {x + s * 0.35, y + s}, {x + s, y}}));
    }
    void window(qreal x, qreal y, qreal w, qreal h) {
        pen(ink());
        fill(paper());
        p_.drawRect(QRectF(x, y, w, h));
        fill(kBlue);
        p_.drawRect(QRectF(x, y, w, 3));
    }
    void arrow(QPointF from, QPointF to, const QColor& c) {
        pen(c, 1.6);
        p_.drawLine(from, to);
        const qreal angle = std::atan2(to.y() - from.y(), to.x() - from.x());
        const qreal a = 3.5;
        p_.drawLine(to, to - QPointF(a * std::cos(angle - 0.6), a * std::sin(angle - 0.6)));
        p_.drawLine(to, to - QPointF(a * std::cos(angle + 0.6), a * std::sin(angle + 0.6)));
    }
    void eye(qreal cx, qreal cy) {
        QPainterPath path;
        path.moveTo(cx - 7, cy);
        path.quadTo(cx, cy - 7, cx + 7, cy);
        path.quadTo(cx, cy + 7, cx - 7, cy);
        pen(ink());
        fill(paper());
        p_.drawPath(path);
        fill(kBlue);
        p_.drawEllipse(QPointF(cx, cy), 2.2, 2.2);
    }
    void glyph(const QRectF& r, const QString& text, const QColor& c, int pixelSize) {
        QFont font = p_.font();
        font.setBold(true);
        font.setPixelSize(pixelSize);
        p_.setFont(font);
        pen(c);
        p_.drawText(r, Qt::AlignCenter, text);
    }
    QPainter& raw() { return p_; }

private:
    QPainter& p_;
    const QPalette& pal_;
};

void drawCell(CellPainter& c, int cell) {
    QPainter& p = c.raw();
    switch (cell) {
    case ToolbarImages::NewDocument:
        c.page(4.5, 1.5, 11, 16);
        c.pen(kYellow, 1.5);
        p.drawLine(QPointF(14, 11), QPointF(18, 15));
        p.drawLine(QPointF(18, 11), QPointF(14, 15));
        break;
    case ToolbarImages::OpenDocument: {
        c.pen(c.ink());
        c.fill(kYellow.darker(115));
        p.drawPolygon(QPolygonF(
            {{1.5, 4.5}, {7.5, 4.5}, {9.5, 6.5}, {16.5, 6.5}, {16.5, 16.5}, {1.5, 16.5}}));
        c.fill(kYellow);
        p.drawPolygon(QPolygonF({{4.5, 9.5}, {19.5, 9.5}, {16.5, 16.5}, {1.5, 16.5}}));
        c.arrow({12, 6}, {16, 2}, kGreen);
        break;
    }
    case ToolbarImages::SaveDocument:
        c.pen(c.ink());
        c.fill(kBlue);
        p.drawRect(QRectF(2.5, 2.5, 15, 15));
        c.fill(c.paper());
        p.drawRect(QRectF(5.5, 2.5, 9, 6));
        c.fill(c.face());
        p.drawRect(QRectF(5.5, 11.5, 9, 6));
        c.fill(c.ink());
        p.drawRect(QRectF(11.5, 3.5, 2, 4));
        break;
    case ToolbarImages::Delete:
        c.cross(10, 10, 6, kRed);
        break;
    case ToolbarImages::Properties:
        c.page(3.5, 1.5, 12, 17);
        c.textLines(6, 6.5, 7, 4);
        c.pen(c.ink());
        c.fill(kYellow);
        p.drawEllipse(QPointF(14.5, 14.5), 3.5, 3.5);
        break;
    case ToolbarImages::OpenInBrowser:
        c.globe(10, 10, 7.5);
        break;
    case ToolbarImages::NewBrowserWindow:
        c.window(1.5, 4.5, 13, 12);
        c.globe(14, 6, 4.5);
        break;
    case ToolbarImages::Hide:
        c.eye(10, 10);
        c.pen(kRed, 2.0);
        p.drawLine(QPointF(3, 17), QPointF(17, 3));
        break;
    case ToolbarImages::Unhide:
        c.eye(10, 10);
        break;
    case ToolbarImages::FindInDocument:
        c.page(1.5, 1.5, 11, 15);
        c.textLines(4, 6.5, 6, 3);
        c.lens(12, 11, 3.8);
        break;
    case ToolbarImages::FindNext:
        c.lens(8, 8, 4.5);
        c.arrow({12, 17}, {19, 17}, kGreen);
        break;
    case ToolbarImages::Help:
        c.pen(c.ink());
        c.fill(kYellow);
        p.drawEllipse(QPointF(10, 10), 8, 8);
        c.glyph(QRectF(0, 0, 20, 20), QStringLiteral("?"), kBlue, 14);
        break;
    case ToolbarImages::WebSearch:
        c.globe(8, 8, 6.5);
        c.lens(13, 13, 3.2);
        break;
    case ToolbarImages::StopAll: {
        QPolygonF octagon;
        for (int i = 0; i < 8; ++i) {
            const qreal a = (i * 45 + 22.5) * M_PI / 180;
            octagon << QPointF(10 + 8 * std::cos(a), 10 + 8 * std::sin(a));
        }
        c.pen(c.ink());
        c.fill(kRed);
        p.drawPolygon(octagon);
        c.pen(Qt::white, 2.0);
        p.drawLine(QPointF(6, 10), QPointF(14, 10));
        break;
    }
    case ToolbarImages::CheckReferences:
        c.page(2.5, 1.5, 11, 15);
        c.textLines(5, 6.5, 6, 3);
        c.tick(9, 9, 9);
        break;
    case ToolbarImages::StopChecking:
        c.page(2.5, 1.5, 11, 15);
        c.tick(4, 5, 7);
        c.cross(14.5, 14.5, 3.5, kRed);
        break;
    case ToolbarImages::ThreadWindow:
        c.window(1.5, 2.5, 17, 15);
        c.pen(c.shadow());
        p.drawLine(QPointF(2, 11.5), QPointF(18, 11.5));
        c.pen(kGreen, 1.5);
        p.drawLine(QPointF(4, 14), QPointF(11, 14));
        break;
    case ToolbarImages::ShowInOtherTree:
        c.pen(c.ink());
        c.fill(c.paper());
        p.drawRect(QRectF(1.5, 2.5, 7, 15));
        p.drawRect(QRectF(11.5, 2.5, 7, 15));
        c.arrow({4, 10}, {16, 10}, kBlue);
        break;
    case ToolbarImages::SelectFailed:
        c.page(3.5, 1.5, 12, 17);
        c.glyph(QRectF(3.5, 3, 12, 16), QStringLiteral("!"), kRed, 13);
        break;
    case ToolbarImages::About:
        c.pen(c.ink());
        c.fill(kBlue);
        p.drawEllipse(QPointF(10, 10), 8, 8);
        c.glyph(QRectF(0, 0, 20, 20), QStringLiteral("i"), Qt::white, 13);
        break;
    }
}

} // namespace

QPixmap ToolbarImages::strip(const QPalette& palette) {
    QPixmap strip(kCellSize * kCellCount, kCellSize);
    strip.fill(Qt::transparent);
    QPainter painter(&strip);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < kCellCount; ++i) {
        painter.save();
        painter.translate(i * kCellSize, 0);
        painter.setClipRect(0, 0, kCellSize, kCellSize);
        CellPainter cell(painter, palette);
        drawCell(cell, i);
        painter.restore();
    }
    return strip;
}

QPixmap ToolbarImages::cell(const QPixmap& strip, int index) {
    return strip.copy(index * kCellSize, 0, kCellSize, kCellSize);
}

} // namespace qx::ui
