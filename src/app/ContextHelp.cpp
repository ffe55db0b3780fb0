#include "app/ContextHelp.h"

#include "app/HelpDisplay.h"
#include "ui/FrameWindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

namespace qx::app {

ContextHelp::ContextHelp(ui::FrameWindow& frame, HelpDisplay& help, QObject* parent)
    : QObject(parent), frame_(frame), help_(help) {
    qApp->installEventFilter(this);
}

ContextHelp::~ContextHelp() {
    if (helpMode_)
        QApplication::restoreOverrideCursor();
}

bool ContextHelp::commandChosen(int id) {
    if (!helpMode_ && !f1Down_)
        return false;
    help_.context(frame_.helpContextOfCommand(id));
    leaveHelpMode();
    return true;
}

bool ContextHelp::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        // Holding F1 asks once, not once per repeat of the key.
        if (key->key() == Qt::Key_F1 && key->isAutoRepeat())
            return true;
        return keyPressed(watched, key->key(), key->modifiers());
    }
    case QEvent::ApplicationDeactivate:
    case QEvent::WindowDeactivate:
        // F1 may be let go in another window (the browser help just opened):
        // the program never sees that key-up.
        f1Down_ = false;
        return false;
    case QEvent::KeyRelease:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1 &&
            !static_cast<QKeyEvent*>(event)->isAutoRepeat())
            f1Down_ = false;
        return false;
    case QEvent::MouseMove:
        // In help mode the pointer only shows where help would be asked for;
        // menus still follow it so that an item can be chosen.
        return helpMode_ && !qobject_cast<QMenu*>(watched) && !qobject_cast<QMenuBar*>(watched);
    default:
        return false;
    }
}

bool ContextHelp::keyPressed(QObject* watched, int key, Qt::KeyboardModifiers modifiers) {
    if (key == Qt::Key_Escape && helpMode_) {
        leaveHelpMode();
        return true;
    }
    if (key != Qt::Key_F1)
        return false;
    f1Down_ = true;
    // The key reaches the popup's window before the menu itself.
    auto* menu = qobject_cast<QMenu*>(watched);
    if (!menu)
        menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu) {
        // Choose the highlighted item in help mode: it shows its help.
        enterHelpMode();
        QCoreApplication::postEvent(menu, new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, {}));
        return true;
    }
    if (modifiers & Qt::ShiftModifier) {
        enterHelpMode();
        return true;
    }
    if (const int context = frame_.helpContext())
        help_.context(context);
    else
        help_.contents();
    return true;
}

void ContextHelp::enterHelpMode() {
    if (helpMode_)
        return;
    helpMode_ = true;
    QApplication::setOverrideCursor(Qt::WhatsThisCursor);
}

void ContextHelp::leaveHelpMode() {
    if (!helpMode_)
        return;
    helpMode_ = false;
    QApplication::restoreOverrideCursor();
}

} // namespace qx::app
