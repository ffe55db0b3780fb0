#pragma once

#include <QDialog>
#include <QStringList>
#include <functional>
#include <vector>

class QTreeWidget;

namespace qx::ui {

// A list of kept files (backups, recovered work) to choose one from: the
// accepting button takes the chosen row, the rejecting one leaves, and an
// optional third button removes rows for good. The list is control 100, the
// buttons 1 (accept), 2 (reject) and 3 (remove).
class FileChoiceDialog : public QDialog {
    Q_OBJECT
public:
    struct Setup {
        QString caption;
        QString intro; // a line above the list; none when empty
        QStringList columns;
        std::vector<QStringList> rows;
        QString acceptText;
        QString rejectText;
        // The third button, shown when removed is set; told the row removed
        // (in the rows as given).
        QString removeText;
        std::function<void(int row)> removed;
    };

    explicit FileChoiceDialog(Setup setup, QWidget* parent = nullptr);

    // The chosen row (as given) once accepted; -1 when none.
    int chosen() const;

private:
    void removeCurrent();
    void selectionChanged();

    Setup setup_;
    QTreeWidget* list_;
    std::vector<QWidget*> needRow_;
};

} // namespace qx::ui
