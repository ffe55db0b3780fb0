#pragma once

#include "lang/MessageBoxer.h"

#include <QString>

class QDialog;

namespace qx::doc {

// What a file dialog offers: "Description (*.qxo)" style filter, the extension
// added to a name typed without one, and the folder to start in.
struct FileDialogRequest {
    QString filter;
    QString defaultSuffix;
    QString folder;
};

// The message boxes and file dialogs the program shows. The real ones are
// QtUserDialogs; tests answer them from a script.
class UserDialogs : public MessageBoxer {
public:
    // The chosen path, or empty when cancelled.
    virtual QString openFileName(const FileDialogRequest& request) = 0;
    // The chosen path, or empty when cancelled; an existing file is not asked about.
    virtual QString saveFileName(const FileDialogRequest& request) = 0;
    // An existing folder, starting in the request's folder; empty when cancelled.
    virtual QString folderName(const FileDialogRequest& request) = 0;
    // Runs one of the program's own dialogs modally; the dialog's result.
    virtual int exec(QDialog& dialog) = 0;
};

} // namespace qx::doc
