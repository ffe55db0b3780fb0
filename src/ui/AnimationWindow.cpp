#include "ui/AnimationWindow.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace qx::ui {

AnimationWindow::AnimationWindow(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PumpingWindow"));
    setFixedSize(kSize, kSize);
}

void AnimationWindow::setRunning(bool running) {
    if (running == running_)
        return;
    running_ = running;
    if (!running) {
        frame_ = 0;
        update();
    }
}

void AnimationWindow::advance() {
    if (!running_)
        return;
    frame_ = (frame_ + 1) % kFrameCount;
    update();
}

void AnimationWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(kSize / 2.0, kSize / 2.0);
    const qreal r = kSize / 2.0 - 2;

    QRadialGradient sea(centre - QPointF(r / 3, r / 3), r * 1.4);
    sea.setColorAt(0, QColor(150, 200, 250));
    sea.setColorAt(1, QColor(20, 70, 170));
    p.setPen(QPen(palette().color(QPalette::WindowText), 1));
    p.setBrush(sea);
    p.drawEllipse(centre, r, r);

    // Meridians drift across the face of the globe as it turns; each is an
    // ellipse whose half-width follows the cosine of its longitude.
    p.setClipPath([&] {
        QPainterPath clip;
        clip.addEllipse(centre, r, r);
        return clip;
    }());
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(230, 240, 255), 1));
    const qreal turn = 2 * M_PI * frame_ / kFrameCount / 3;
    for (int i = 0; i < 3; ++i) {
        const qreal longitude = turn + i * M_PI / 3;
        const qreal half = std::abs(std::cos(longitude)) * r;
        p.drawEllipse(centre, half, r);
    }
    p.drawLine(QPointF(centre.x() - r, centre.y()), QPointF(centre.x() + r, centre.y()));
    p.drawEllipse(centre, r, r * 0.45);
}

} // namespace qx::ui
