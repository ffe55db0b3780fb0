#pragma once

#include "lang/Language.h"

#include <QDialog>
#include <vector>

class QListWidget;

namespace qx::ui {

// Setup's choice of the language: the language modules of the program folder,
// each by its own name.
class LanguageDialog : public QDialog {
    Q_OBJECT
public:
    LanguageDialog(const Language& language, std::vector<Language::Entry> languages,
                   const std::string& currentCode, QWidget* parent = nullptr);

    // The code of the chosen language; empty when none is chosen.
    std::string chosenCode() const;

private:
    std::vector<Language::Entry> languages_;
    QListWidget* list_;
};

} // namespace qx::ui
