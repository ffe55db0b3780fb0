#include "ui/ProgressGadget.h"

#include "ui/MainViewLayout.h"

#include <QPainter>
#include <QStyleOptionFrame>
#include <algorithm>

namespace qx::ui {

namespace {
constexpr int kBorder = 2;
constexpr int kBlockWidth = 2;
constexpr int kBlockStep = 3;
} // namespace

ProgressGadget::ProgressGadget(QWidget* parent) : QWidget(parent) {
    setObjectName(QString::number(kId));
}

void ProgressGadget::setValue(int value) {
    value = std::clamp(value, 0, 100);
    if (value == value_)
        return;
    value_ = value;
    update();
}

int ProgressGadget::blockCount(int width, int value) {
    return std::max(0, mulDiv(width / kBlockStep, value, 100));
}

QSize ProgressGadget::sizeHint() const {
    return {2 * kBorder + kExtraWidth, fontMetrics().height() + 2 * kBorder};
}

void ProgressGadget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionFrame frame;
    frame.initFrom(this);
    frame.rect = rect();
    frame.lineWidth = 1;
    frame.state |= QStyle::State_Sunken;
    style()->drawPrimitive(QStyle::PE_Frame, &frame, &painter, this);

    const QRect inside = rect().adjusted(kBorder, kBorder, -kBorder, -kBorder);
    const int blocks = blockCount(inside.width(), value_);
    const QColor colour = palette().color(QPalette::Highlight);
    for (int i = 0; i < blocks; ++i)
        painter.fillRect(inside.left() + i * kBlockStep, inside.top() + 1, kBlockWidth,
                         inside.height() - 2, colour);
}

} // namespace qx::ui
