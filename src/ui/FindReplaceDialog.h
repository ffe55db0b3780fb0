#pragma once

#include "ui/tree/model/TreeTextSearch.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace qx {
class Language;
}

namespace qx::ui {

// The modeless find dialog, or with a replacement text the replace dialog:
// the text, match case, whole words and the direction. Its buttons only
// signal; the search handler does the work.
class FindReplaceDialog : public QDialog {
    Q_OBJECT
public:
    FindReplaceDialog(const Language& language, bool replace, const TextQuery& query,
                      QWidget* parent = nullptr);

    TextQuery query() const;
    QString replacement() const;
    bool isReplace() const { return replaceEdit_ != nullptr; }

signals:
    void findNext();
    void replaceOne();
    void replaceAll();

private:
    QLineEdit* findEdit_;
    QLineEdit* replaceEdit_ = nullptr;
    QCheckBox* matchCase_;
    QCheckBox* wholeWord_;
    QRadioButton* up_;
    QRadioButton* down_;
};

} // namespace qx::ui
