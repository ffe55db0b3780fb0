#include "ui/tree/RefTreeView.h"

#include "exchange/DropEffects.h"
#include "exchange/ExchangeFormats.h"
#include "ui/tree/ExternalLinks.h"
#include "ui/tree/RefImageStrip.h"
#include "ui/tree/RefTreeHost.h"
#include "ui/tree/TreeDragData.h"
#include "ui/tree/refs/RefDrop.h"
#include "ui/tree/refs/RefTVNode.h"

#include <QContextMenuEvent>
#include <QDrag>
#include <QKeyEvent>
#include <QPainter>

namespace qx {

namespace {

constexpr int kOpenCommand = 700;
constexpr int kRenameCommand = 923;

Qt::DropAction toQt(std::uint32_t effect) {
    switch (effect) {
    case dropeffect::Copy:
        return Qt::CopyAction;
    case dropeffect::Move:
        return Qt::MoveAction;
    case dropeffect::Link:
        return Qt::LinkAction;
    default:
        return Qt::IgnoreAction;
    }
}

std::uint32_t fromQt(Qt::DropActions actions) {
    std::uint32_t effects = dropeffect::None;
    if (actions & Qt::CopyAction)
        effects |= dropeffect::Copy;
    if (actions & Qt::MoveAction)
        effects |= dropeffect::Move;
    if (actions & Qt::LinkAction)
        effects |= dropeffect::Link;
    return effects;
}

// A private format of another process of ours: its nodes cannot be reached.
bool fromOtherProcess(const QMimeData& data) {
    for (const QString& format : data.formats()) {
        const std::string name = format.toStdString();
        if (exchange::isPrivateFormat(name) && name != exchange::ownPrivateFormat())
            return true;
    }
    return false;
}

} // namespace

RefTreeView::RefTreeView(RefTreeHost& host, QWidget* parent, std::uint32_t style)
    : TreeView(parent, style), host_(host), binding_(*this) {
    setImageWidth(0, RefImageStrip::kKindSize);
    setImageWidth(1, RefImageStrip::kStatusWidth);
}

RefTreeView::~RefTreeView() {
    binding_.bind(nullptr);
}

void RefTreeView::drawImage(QPainter& painter, int which, int index, const QRect& rect) {
    if (index <= 0)
        return;
    QRect source;
    if (which == 0) {
        const int cell = index - 1;
        source = RefImageStrip::kindCell(cell % RefTreeBinding::kRowStride,
                                         cell / RefTreeBinding::kRowStride);
    } else {
        source = RefImageStrip::statusCell(index);
    }
    // Centred in a taller row: moved down by half of what the row has more.
    const int top = rect.top() + std::max(rect.height() - RefImageStrip::kKindSize, 0) / 2;
    painter.drawPixmap(QPoint(rect.left(), top), RefImageStrip::pixmap(), source);
}

void RefTreeView::expanding(TreeViewNode& node, bool on) {
    TreeView::expanding(node, on);
    binding_.expanded(node, on);
}

void RefTreeView::beginDrag() {
    if (!focusNode())
        return;
    auto* drag = new QDrag(this);
    drag->setMimeData(new UrlDragDropData(*this, host_.treeShortcuts()));
    drag->exec(Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, Qt::MoveAction);
}

void RefTreeView::mouseReleaseEvent(QMouseEvent* event) {
    TreeView::mouseReleaseEvent(event);
    host_.treeStatus(binding_.status());
}

void RefTreeView::keyReleaseEvent(QKeyEvent* event) {
    TreeView::keyReleaseEvent(event);
    host_.treeStatus(binding_.status());
}

void RefTreeView::mouseDoubleClickEvent(QMouseEvent* event) {
    TreeView::mouseDoubleClickEvent(event);
    host_.treeCommand(kOpenCommand);
}

void RefTreeView::focusInEvent(QFocusEvent* event) {
    TreeView::focusInEvent(event);
    host_.treeFocused(*this);
}

QPoint RefTreeView::keyboardMenuPoint() {
    if (TreeViewNode* focus = focusNode()) {
        const int top = nodeTop(*focus);
        if (top >= 0) {
            const QPoint at(focus->labelLeft() - scrollX(), top + focus->rowHeight() - scrollY());
            return viewport()->mapToGlobal(at);
        }
    }
    return viewport()->mapToGlobal(viewport()->rect().center());
}

void RefTreeView::contextMenuEvent(QContextMenuEvent* event) {
    const bool mouse = event->reason() == QContextMenuEvent::Mouse;
    host_.treeContextMenu(mouse ? event->globalPos() : keyboardMenuPoint());
}

void RefTreeView::keyPressEvent(QKeyEvent* event) {
    // The desktop's other key for the menu: Qt sends a menu event only for
    // the menu key, and keyboards without one have Shift+F10 alone.
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
        host_.treeContextMenu(keyboardMenuPoint());
        return;
    }
    if (event->key() == Qt::Key_F2 && event->modifiers() == Qt::NoModifier) {
        host_.treeCommand(kRenameCommand);
        return;
    }
    // Return opens the focused reference as a double click does.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && focusNode()) {
        host_.treeCommand(kOpenCommand);
        return;
    }
    TreeView::keyPressEvent(event);
}

OrganizerTreeView::OrganizerTreeView(RefTreeHost& host, QWidget* parent)
    : RefTreeView(host, parent, kStyle | treestyle::DropTarget) {}

TreeViewNode& OrganizerTreeView::dropNode(const TreeHit& hit) {
    // Below the last row the drop goes to the top level.
    return hit.node ? *hit.node : treeRoot();
}

std::uint32_t OrganizerTreeView::dropEffect(const QMimeData& data, TreeViewNode* under, bool shift,
                                            bool control) {
    if (!binding().modelRoot() || fromOtherProcess(data))
        return dropeffect::None;
    Ref& target = refOf(under ? *under : treeRoot());
    if (RefTreeView* source = TreeDragData::sourceOf(data)) {
        const bool fromOrganizer = source->isOrganizer();
        const std::uint32_t wanted =
            fromOrganizer ? dropeffect::fromKeys(shift, control) : dropeffect::Copy;
        const std::uint32_t effect = dropeffect::fit(wanted, dropeffect::RefTreeAllowed);
        const std::vector<Ref*> nodes = source->binding().selection();
        return RefDrop(target).allows(nodes, fromOrganizer, effect) ? effect : dropeffect::None;
    }
    return hasExternalLinks(data) ? dropeffect::Copy : dropeffect::None;
}

Qt::DropAction OrganizerTreeView::dropAction(const QDropEvent& event, const TreeHit& hit) {
    const Qt::KeyboardModifiers keys = event.modifiers();
    std::uint32_t effect =
        dropEffect(*event.mimeData(), &dropNode(hit), (keys & Qt::ShiftModifier) != 0,
                   (keys & Qt::ControlModifier) != 0);
    effect = dropeffect::fit(effect, fromQt(event.possibleActions()));
    return toQt(effect);
}

bool OrganizerTreeView::dropData(QDropEvent& event, const TreeHit& hit) {
    const Qt::DropAction action = dropAction(event, hit);
    if (action == Qt::IgnoreAction)
        return false;
    event.setDropAction(action);
    return host().treeDrop(refOf(dropNode(hit)), *event.mimeData(), fromQt(action));
}

} // namespace qx
