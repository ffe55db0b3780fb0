#pragma once

#include "doc/CommandTable.h"
#include "exchange/ShortcutFiles.h"
#include "model/DocViews.h"
#include "ui/tree/RefTreeHost.h"

#include <functional>
#include <vector>

class QWidget;

namespace qx {
class DDoc;
class Language;
class OrganizerTreeView;
class RefTreeView;
struct Options;
} // namespace qx

namespace qx::doc {
class Editor;
}

namespace qx::ui {

class FrameWindow;

// The document's two trees on screen: keeps both in step with the model,
// marks the document changed by every change the user makes, and runs the
// commands that work on the trees' selection, the clipboard and drops.
class DocumentTrees : public DocViews, public RefTreeHost {
public:
    // owner is the main view: its frame shows the status texts and menus.
    DocumentTrees(doc::Editor& document, Options& options, const Language& language,
                  QWidget& owner);
    ~DocumentTrees();
    DocumentTrees(const DocumentTrees&) = delete;
    DocumentTrees& operator=(const DocumentTrees&) = delete;

    // Binds both trees to the document's roots (again, after a reload).
    void bind(OrganizerTreeView* first, RefTreeView* second);
    // Lets go of the model and of the trees: both trees empty.
    void unbind();

    RefTreeView* focusTree() const { return focus_; }

    // DocViews
    void additem(Ref& node) override;
    void removeitem(Ref& node) override;
    void refreshitem(Ref& node) override;
    void repaint(Ref& node) override;
    void changed(std::uint32_t hints) override;

    // RefTreeHost
    void treeFocused(RefTreeView& tree) override;
    void treeCommand(int id) override;
    void treeStatus(const RefStatus& status) override;
    void treeContextMenu(QPoint global) override;
    bool treeDrop(Ref& under, const QMimeData& data, std::uint32_t effect) override;
    exchange::ShortcutFiles* treeShortcuts() override { return &shortcuts_; }

    // The commands on the trees' selection, the clipboard and the filters;
    // those that take nodes away wait while busy() says a job may still
    // point into the trees.
    void addCommands(doc::CommandTable& table, std::function<bool()> busy);

    // The clipboard: false when nothing was done.
    bool copy();
    bool cut();
    bool paste();

private:
    DDoc& model() const;
    RefTreeView* treeOf(const Ref& node) const;
    FrameWindow* frame() const;
    std::vector<Ref*> selection() const;
    bool organizerHasFocusNode() const;
    void deleteSelection();
    void setHidden(bool hidden);
    void expandSelection(bool on);
    void clearSelection();
    void selectAll();
    void toggleShowHidden();
    void toggleShowNew();

    doc::Editor& document_;
    Options& options_;
    const Language& language_;
    QWidget& owner_;
    OrganizerTreeView* first_ = nullptr;
    RefTreeView* second_ = nullptr;
    RefTreeView* focus_ = nullptr;
    doc::CommandTable* commands_ = nullptr;
    // For as long as the window shows the document's trees.
    exchange::ShortcutFiles shortcuts_;
};

} // namespace qx::ui
