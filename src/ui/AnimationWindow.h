#pragma once

#include <QWidget>

namespace qx::ui {

// The small animation in the corner of the main window: a globe that turns
// while searches or checks run and stands still otherwise. Its owner advances
// it from a timer.
class AnimationWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kSize = 30;
    static constexpr int kFrameCount = 16;

    explicit AnimationWindow(QWidget* parent = nullptr);

    bool running() const { return running_; }
    // Stopping returns the globe to its resting frame.
    void setRunning(bool running);
    // Shows the next frame while running.
    void advance();
    int frame() const { return frame_; }

    QSize sizeHint() const override { return {kSize, kSize}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool running_ = false;
    int frame_ = 0;
};

} // namespace qx::ui
