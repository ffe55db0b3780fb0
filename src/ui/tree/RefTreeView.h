#pragma once

#include "ui/tree/TreeView.h"
#include "ui/tree/refs/RefTreeBinding.h"

class QMimeData;

namespace qx {

class RefTreeHost;

// A tree view that shows one model tree of the document: its rows follow the
// model through the binding, its images come from the reference image strip,
// and its input turns into the main view's commands, status texts, context
// menu and drags.
class RefTreeView : public TreeView {
    Q_OBJECT
public:
    // Both reference trees add the reserved bit to the control's default style.
    static constexpr std::uint32_t kStyle = treestyle::Default | treestyle::Reserved800;

    RefTreeView(RefTreeHost& host, QWidget* parent = nullptr, std::uint32_t style = kStyle);
    ~RefTreeView() override;

    RefTreeBinding& binding() { return binding_; }
    virtual bool isOrganizer() const { return false; }
    // Where the context menu opens without a mouse: the left end of the focus
    // node's label at the bottom of its row, else the middle of the window.
    QPoint keyboardMenuPoint();

protected:
    RefTreeHost& host() const { return host_; }

    void drawImage(QPainter& painter, int which, int index, const QRect& rect) override;
    void expanding(TreeViewNode& node, bool on) override;
    void beginDrag() override;

    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    RefTreeHost& host_;
    RefTreeBinding binding_;
};

// The first tree: the organizer tree, the only one that takes drops.
class OrganizerTreeView : public RefTreeView {
    Q_OBJECT
public:
    explicit OrganizerTreeView(RefTreeHost& host, QWidget* parent = nullptr);

    bool isOrganizer() const override { return true; }
    // The drop effect for data over a row (dropeffect bits; none refuses).
    std::uint32_t dropEffect(const QMimeData& data, TreeViewNode* under, bool shift, bool control);

protected:
    Qt::DropAction dropAction(const QDropEvent& event, const TreeHit& hit) override;
    bool dropData(QDropEvent& event, const TreeHit& hit) override;

private:
    TreeViewNode& dropNode(const TreeHit& hit);
};

} // namespace qx
