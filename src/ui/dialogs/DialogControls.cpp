#include "ui/dialogs/DialogControls.h"

#include "doc/Texts.h"
#include "lang/TextIds.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QScreen>
#include <QWidget>

#include <QPushButton>
#include <algorithm>

namespace qx::ui {

QDialogButtonBox* dialogButtons(QDialog& dialog, const Language& language, HelpHandler help,
                                int helpContext) {
    auto* buttons = new QDialogButtonBox(&dialog);
    auto t = [&](unsigned id) { return doc::text(language, id); };
    control(1, buttons->addButton(t(text::ButtonOk), QDialogButtonBox::AcceptRole))
        ->setDefault(true);
    control(2, buttons->addButton(t(text::ButtonCancel), QDialogButtonBox::RejectRole));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (helpContext) {
        dialog.setProperty(kHelpContextProperty, helpContext);
        QPushButton* button =
            control(9, buttons->addButton(t(text::ButtonHelp), QDialogButtonBox::HelpRole));
        QObject::connect(button, &QPushButton::clicked, &dialog,
                         [help = std::move(help), helpContext] {
                             if (help)
                                 help(helpContext);
                         });
    }
    return buttons;
}

void fitToScreen(QWidget& window) {
    const QScreen* screen = window.screen();
    if (!screen)
        return;
    const QRect free = screen->availableGeometry();
    // The frame is not known before the window is shown: room for a title
    // bar and borders.
    const QSize decoration(8, 40);
    const QSize most = free.size() - decoration;
    const QSize size = window.size().boundedTo(most).expandedTo(QSize(1, 1));
    if (size != window.size())
        window.resize(size);
    QPoint at = window.pos();
    at.setX(
        std::clamp(at.x(), free.left(),
                   std::max(free.left(), free.right() + 1 - size.width() - decoration.width())));
    at.setY(
        std::clamp(at.y(), free.top(),
                   std::max(free.top(), free.bottom() + 1 - size.height() - decoration.height())));
    if (at != window.pos())
        window.move(at);
}

} // namespace qx::ui
