#pragma once

#include <functional>

class QAction;
class QKeySequence;
class QMenu;
class QMenuBar;
class QWidget;

namespace qx {
class Menu;
struct MenuItem;
} // namespace qx

namespace qx::ui {

// Fills a menu bar from a menu of the language module. Every item of a command
// gets the one action of that command, so that menu, tool bar and accelerators
// share their enabled and checked marks.
class MenuBuilder {
public:
    using ActionFor = std::function<QAction*(int command)>;

    explicit MenuBuilder(ActionFor actionFor) : actionFor_(std::move(actionFor)) {}

    // Returns the first pop-up (the file menu), or null when the menu has none.
    QMenu* build(const Menu& menu, QMenuBar* bar);
    // Fills a pop-up menu with the items of a pop-up of the module's menu.
    void fillPopup(const MenuItem& popup, QMenu* into);

    // Adds a key to a command's action unless it has it already: a key bound
    // twice to one action would be ambiguous and do nothing.
    static void addShortcut(QAction* action, const QKeySequence& keys);

private:
    void fill(QMenu* popup, const MenuItem& item);

    ActionFor actionFor_;
};

} // namespace qx::ui
