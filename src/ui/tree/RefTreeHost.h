#pragma once

#include <QPoint>
#include <cstdint>

class QMimeData;

namespace qx {

namespace exchange {
class ShortcutFiles;
}
class Ref;
class RefTreeView;
struct RefStatus;

// What a reference tree asks of the main view that holds it.
class RefTreeHost {
public:
    // The tree that now has the keyboard focus (the target of the selection's
    // commands).
    virtual void treeFocused(RefTreeView& tree) = 0;
    // A command, as if chosen from the menu (a double click opens).
    virtual void treeCommand(int id) = 0;
    virtual void treeStatus(const RefStatus& status) = 0;
    // The context menu at a point on the screen.
    virtual void treeContextMenu(QPoint global) = 0;
    // Data dropped on a node of the organizer tree with a drop effect; true
    // when the document took it.
    virtual bool treeDrop(Ref& under, const QMimeData& data, std::uint32_t effect) = 0;
    // Where a drag writes the Internet shortcuts it offers file managers;
    // null (the default) offers none.
    virtual exchange::ShortcutFiles* treeShortcuts() { return nullptr; }

protected:
    ~RefTreeHost() = default;
};

} // namespace qx
