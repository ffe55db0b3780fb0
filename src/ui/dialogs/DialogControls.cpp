#include "ui/dialogs/DialogControls.h"

#include "doc/Texts.h"
#include "lang/TextIds.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

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

} // namespace qx::ui
