#pragma once

#include "doc/UserDialogs.h"

#include <QPointer>
#include <QWidget>

namespace qx::doc {

// The platform's message boxes and file dialogs, owned by the main window.
class QtUserDialogs : public UserDialogs {
public:
    void setOwner(QWidget* owner) { owner_ = owner; }

    int show(const std::string& text, const std::string& caption, unsigned style) override;
    QString openFileName(const FileDialogRequest& request) override;
    QString saveFileName(const FileDialogRequest& request) override;

private:
    QPointer<QWidget> owner_;
};

} // namespace qx::doc
