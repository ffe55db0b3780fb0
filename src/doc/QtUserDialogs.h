#pragma once

#include "doc/UserDialogs.h"

namespace qx::doc {

// The platform's message boxes and file dialogs, owned by the active window.
class QtUserDialogs : public UserDialogs {
public:
    int show(const std::string& text, const std::string& caption, unsigned style) override;
    QString openFileName(const FileDialogRequest& request) override;
    QString saveFileName(const FileDialogRequest& request) override;
    int exec(QDialog& dialog) override;
};

} // namespace qx::doc
