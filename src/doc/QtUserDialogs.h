#pragma once

#include "doc/UserDialogs.h"

namespace qx {
class Language;
}

namespace qx::doc {

// The platform's message boxes and file dialogs, owned by the active window
// (the main window while none is) and centred on it.
// Their buttons and captions come from the language module once one is
// loaded (Qt's own words until then).
class QtUserDialogs : public UserDialogs {
public:
    // Not owned; its texts are read whenever a dialog opens.
    void useLanguage(const Language* language) { language_ = language; }

    int show(const std::string& text, const std::string& caption, unsigned style) override;
    QString openFileName(const FileDialogRequest& request) override;
    QString saveFileName(const FileDialogRequest& request) override;
    QString folderName(const FileDialogRequest& request) override;
    int exec(QDialog& dialog) override;

private:
    // The module's text, or null when there is none.
    QString text(unsigned id) const;

    const Language* language_ = nullptr;
};

} // namespace qx::doc
