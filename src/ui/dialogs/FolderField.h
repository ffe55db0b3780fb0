#pragma once

#include <QWidget>
#include <functional>

class QLineEdit;
class QPushButton;

namespace qx::ui {

// A folder typed in a field, or chosen by a button beside it. The button asks
// the chooser, starting at the folder the field holds; without a chooser it
// is greyed.
class FolderField : public QWidget {
public:
    // Answers the folder chosen, or nothing when the choice was cancelled.
    using Chooser = std::function<QString(const QString& from)>;

    FolderField(const QString& buttonText, QWidget* parent = nullptr);

    void setChooser(Chooser choose);
    void setFolder(const QString& folder);
    QString folder() const;

    QLineEdit& field() { return *field_; }
    QPushButton& button() { return *button_; }

private:
    void choose();

    QLineEdit* field_;
    QPushButton* button_;
    Chooser choose_;
};

} // namespace qx::ui
