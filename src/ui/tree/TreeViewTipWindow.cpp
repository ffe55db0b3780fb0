#include "ui/tree/TreeViewTipWindow.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include <algorithm>

namespace qx {

namespace {
constexpr int kMargin = 2; // frame and a pixel of air around the text
}

TreeViewTipWindow::TreeViewTipWindow(QWidget* control)
    : QWidget(control, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus |
                           Qt::WindowTransparentForInput) {
    setObjectName(QStringLiteral("TreeViewTipWindow"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setFont(control->font());
}

void TreeViewTipWindow::showText(const QString& text, QPoint textLeft, int rowHeight) {
    text_ = text;
    const QFontMetrics fm(font());
    const QSize size(fm.horizontalAdvance(text_) + 2 * kMargin, fm.height() + 2 * kMargin);
    QRect r(QPoint(textLeft.x() - kMargin, textLeft.y() + (rowHeight - size.height()) / 2), size);

    QScreen* screen = QGuiApplication::screenAt(textLeft);
    if (!screen)
        screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QRect area = screen->availableGeometry();
        r.moveLeft(std::max(std::min(r.left(), area.right() + 1 - r.width()), area.left()));
        r.moveTop(std::max(std::min(r.top(), area.bottom() + 1 - r.height()), area.top()));
    }
    setGeometry(r);
    show();
    update();
}

void TreeViewTipWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::ToolTipBase));
    p.setPen(palette().color(QPalette::ToolTipText));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.drawText(rect().adjusted(kMargin, kMargin, -kMargin, -kMargin),
               Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text_);
}

} // namespace qx
