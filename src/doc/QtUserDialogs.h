#pragma once

#include "doc/UserDialogs.h"

#include <QPointer>

namespace qx::doc {

// The platform's message boxes and file dialogs, owned by the main window.
class QtUserDialogs : public UserDialogs {
public:
    void setOwner(QWidget* owner) { owner_ = owner; }

    QMessageBox::StandardButton message(const QString& caption, const QString& text,
                                        QMessageBox::StandardButtons buttons,
                                        QMessageBox::Icon icon) override;
    QString openFileName(const FileDialogRequest& request) override;
    QString saveFileName(const FileDialogRequest& request) override;

private:
    QPointer<QWidget> owner_;
};

} // namespace qx::doc
