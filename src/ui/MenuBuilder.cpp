#include "ui/MenuBuilder.h"

#include "lang/Menu.h"

#include <QAction>
#include <QMenuBar>
#include <QRegularExpression>

namespace qx::ui {

namespace {

// A tool-bar button's tip is the item's text without its access key and
// shortcut.
QString tipOf(const QString& text) {
    QString tip = text.section(QLatin1Char('\t'), 0, 0);
    tip.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    return tip;
}

} // namespace

QMenu* MenuBuilder::build(const Menu& menu, QMenuBar* bar) {
    QMenu* first = nullptr;
    for (const MenuItem& item : menu.items) {
        if (item.kind != MenuItem::Kind::Popup)
            continue;
        QMenu* popup = bar->addMenu(QString::fromStdString(item.text));
        for (const MenuItem& child : item.items)
            fill(popup, child);
        if (!first)
            first = popup;
    }
    return first;
}

void MenuBuilder::fill(QMenu* popup, const MenuItem& item) {
    switch (item.kind) {
    case MenuItem::Kind::Separator:
        popup->addSeparator();
        break;
    case MenuItem::Kind::Popup: {
        QMenu* sub = popup->addMenu(QString::fromStdString(item.text));
        for (const MenuItem& child : item.items)
            fill(sub, child);
        break;
    }
    case MenuItem::Kind::Command: {
        QAction* action = actionFor_(static_cast<int>(item.command));
        const QString text = QString::fromStdString(item.text);
        action->setText(text);
        action->setToolTip(tipOf(text));
        popup->addAction(action);
        break;
    }
    }
}

} // namespace qx::ui
