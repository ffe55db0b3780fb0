#pragma once

#include <cstdint>

namespace qx {

class Ref;

// What the document asks of the views that show its two trees. The model
// decides when; the views decide how. Tests put a recorder here.
class DocViews {
public:
    // The node's parent has a view item and the node passes the show rule:
    // give it an item at its model position, and its children the same way.
    virtual void additem(Ref& node) = 0;
    // Take the items of the node and of its subtree out of the view; their
    // view item pointers become null.
    virtual void removeitem(Ref& node) = 0;
    // Show the node again from the model: its text, its hidden style, the order
    // of its children and which of them pass the show rule.
    virtual void refreshitem(Ref& node) = 0;
    // The node's marks or state changed: draw it again.
    virtual void repaint(Ref& node) = 0;
    // The document was modified; hints say what changed since the last time
    // (DDoc's hint bits).
    virtual void changed(std::uint32_t hints) = 0;

protected:
    ~DocViews() = default;
};

} // namespace qx
