#pragma once

#include "lang/Language.h"

#include <QDialog>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace qx::ui {
class FolderField;
}

namespace qx {
struct Options;
}

namespace qx::ui {

// The options dialog. It edits the options in place on OK; Cancel leaves them
// as they were. Its controls carry their numbers as object names.
class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    // The languages are the modules found in the program folder; runningCode is
    // the code of the module the program runs with.
    OptionsDialog(Options& options, const Language& language,
                  std::vector<Language::Entry> languages, const std::string& runningCode,
                  QWidget* parent = nullptr);

    void accept() override;

    // The folder the Favorites export starts in; the caller fills it and
    // takes it back on OK, as it is kept apart from the options.
    FolderField& favoritesFolder() { return *favorites_; }

private:
    void fill(const std::string& runningCode);
    void proxyToggled(bool on);

    Options& options_;
    std::vector<Language::Entry> languages_;
    int initialLanguage_ = -1;
    QComboBox* language_;
    QCheckBox* checkRef_;
    QCheckBox* checkSearch_;
    QCheckBox* useProxy_;
    QLineEdit* proxyAddress_;
    QLineEdit* proxyPort_;
    QLabel* proxyAddressLabel_;
    QLabel* proxyPortLabel_;
    QLineEdit* maxThreads_;
    QLineEdit* checkThreads_;
    QLineEdit* checksPerHost_;
    QLineEdit* backups_;
    QLineEdit* recoveryMinutes_;
    QButtonGroup* sort_;
    FolderField* favorites_;
};

} // namespace qx::ui
