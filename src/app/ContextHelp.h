#pragma once

#include <QObject>

namespace qx::ui {
class FrameWindow;
}

namespace qx::app {

class HelpDisplay;

// Context help in front of the normal handling of input: F1 shows the help of
// the window that has the focus, Shift+F1 turns on help mode (a question-mark
// cursor; the next command chosen shows its help instead of running), Esc
// turns it off, and F1 in an open menu shows the help of the highlighted item.
class ContextHelp : public QObject {
    Q_OBJECT
public:
    ContextHelp(ui::FrameWindow& frame, HelpDisplay& help, QObject* parent = nullptr);
    ~ContextHelp() override;

    // The frame's command filter: in help mode, or while F1 is held, a
    // command shows its help and is not carried out.
    bool commandChosen(int id);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool keyPressed(QObject* watched, int key, Qt::KeyboardModifiers modifiers);
    void enterHelpMode();
    void leaveHelpMode();

    ui::FrameWindow& frame_;
    HelpDisplay& help_;
    bool helpMode_ = false;
    bool f1Down_ = false;
};

} // namespace qx::app
