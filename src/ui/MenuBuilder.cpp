#include "ui/MenuBuilder.h"

#include "lang/Menu.h"

#include <QAction>
#include <QMenuBar>

namespace qx::ui {

namespace {} // namespace

void MenuBuilder::addShortcut(QAction* action, const QKeySequence& keys) {
    QList<QKeySequence> all = action->shortcuts();
    if (all.contains(keys))
        return;
    all.append(keys);
    action->setShortcuts(all);
}

QMenu* MenuBuilder::build(const Menu& menu, QMenuBar* bar) {
    QMenu* first = nullptr;
    for (const MenuItem& item : menu.items) {
        if (item.kind != MenuItem::Kind::Popup)
            continue;
        QMenu* popup = bar->addMenu(QString::fromStdString(item.text));
        fillPopup(item, popup);
        if (!first)
            first = popup;
    }
    return first;
}

void MenuBuilder::fillPopup(const MenuItem& popup, QMenu* into) {
    for (const MenuItem& child : popup.items)
        fill(into, child);
}

void MenuBuilder::fill(QMenu* popup, const MenuItem& item) {
    switch (item.kind) {
    case MenuItem::Kind::Separator:
        popup->addSeparator();
        break;
    case MenuItem::Kind::Popup: {
        fillPopup(item, popup->addMenu(QString::fromStdString(item.text)));
        break;
    }
    case MenuItem::Kind::Command: {
        QAction* action = actionFor_(static_cast<int>(item.command));
        const QString text = QString::fromStdString(item.text);
        action->setText(text);
        // The key an item names after its tab works, except F1, which always
        // asks for help.
        const QKeySequence keys(text.section(QLatin1Char('\t'), 1), QKeySequence::PortableText);
        if (!keys.isEmpty() && keys != QKeySequence(Qt::Key_F1))
            addShortcut(action, keys);
        popup->addAction(action);
        break;
    }
    }
}

} // namespace qx::ui
