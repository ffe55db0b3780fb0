#pragma once

#include <QDialog>

namespace qx {
class Language;
}

namespace qx::ui {

class AnimationWindow;
class Browser;

// The about box: the program's text and a link to its web site (opened in the
// browser), with the animation turning.
class AboutBox : public QDialog {
    Q_OBJECT
public:
    AboutBox(const Language& language, Browser& browser, QWidget* parent = nullptr);

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    AnimationWindow* animation_;
    int timer_;
};

} // namespace qx::ui
