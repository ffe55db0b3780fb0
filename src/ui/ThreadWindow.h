#pragma once

#include <QHash>
#include <QWidget>

namespace qx {
class Language;
class TreeView;
class TreeViewNode;
} // namespace qx

namespace qx::ui {

// The thread window below the trees: titled "Connections" (its tree's root
// row), one row per running worker with the worker's status line. Rows are
// never shown selected.
class ThreadWindow : public QWidget {
    Q_OBJECT
public:
    ThreadWindow(const Language& language, QWidget* parent = nullptr);
    ~ThreadWindow() override;

    // key names the worker; a key that has a row already only gets the text.
    void addRow(quintptr key, const QString& text);
    void updateRow(quintptr key, const QString& text);
    void removeRow(quintptr key);

    // The rows' texts, in the order they were added.
    QStringList rowTexts() const;
    TreeView* tree() const { return tree_; }

private:
    TreeView* tree_;
    TreeViewNode* root_;
    QHash<quintptr, TreeViewNode*> rows_;
};

} // namespace qx::ui
