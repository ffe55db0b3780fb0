#pragma once

#include "search/ObjPropDialogInfo.h"
#include "ui/dialogs/DialogControls.h"

#include <QDialog>

class QLineEdit;

namespace qx {
class EngineTable;
class Language;
} // namespace qx

namespace qx::ui {

// The properties of a reference: its name, its page's title and address to
// edit, and what else is known of the page to read. OK takes the three edits
// back into the record. Its controls carry their numbers as object names.
class ObjPropDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 21;

    // The engine table names the engines that reported the page.
    ObjPropDialog(ObjPropDialogInfo& info, const Language& language, const EngineTable& engines,
                  HelpHandler help = {}, QWidget* parent = nullptr);

    void accept() override;

private:
    ObjPropDialogInfo& info_;
    QLineEdit* name_;
    QLineEdit* title_;
    QLineEdit* url_;
};

} // namespace qx::ui
