#pragma once

#include "ui/tree/refs/RefItemSet.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qx {

class Ref;
class RefRoot;
class TreeViewModel;
class TreeViewNode;

// The cells of the image strip a node draws: kind column and row, and the
// status column (0 for none).
struct RefImages {
    int kind = 2;
    int row = 1;
    int status = 0;
};

// What the status bar says about a reference tree's selection: the number of
// selected nodes, and for one node the address it stands for.
struct RefStatus {
    int selected = 0;
    int folders = 0; // of the selected nodes, those without a page
    std::string url;
};

// The binding of one model tree to one tree view, without drawing: which model
// nodes are shown, where their rows go, and keeping rows and model in step.
// A shown model node points at its row (its view item); every other node's
// pointer is null. Walks are iterative: a document's trees may be deep.
class RefTreeBinding {
public:
    // Image indices on the tree nodes: the kind cell is 1 + column + row * 16,
    // the status cell its column.
    static constexpr int kRowStride = 16;

    explicit RefTreeBinding(TreeViewModel& view);
    ~RefTreeBinding();
    RefTreeBinding(const RefTreeBinding&) = delete;
    RefTreeBinding& operator=(const RefTreeBinding&) = delete;

    RefRoot* modelRoot() const { return root_; }
    // Shows the model root's tree in place of whatever the view showed; null
    // empties the view.
    void bind(RefRoot* root);

    // Gives the node a row when its parent has one and it passes the show
    // rule, then its children the same way.
    void add(Ref& node);
    // Takes the rows of the node and its subtree away.
    void remove(Ref& node);
    // Shows the node again from the model: removed and added again (for the
    // root, every top-level node).
    void refresh(Ref& node);
    // Images and grayed look again, for marks that changed.
    void repaint(Ref& node);

    // Filters after an option was switched on: "ShowHidden" off removes every
    // shown hidden node, "ShowNew" on every shown node that is neither a saved
    // search nor new.
    void filterHidden();
    void filterNew();
    // Adds everything that passes the show rule and has no row yet.
    void rebuild();

    // A shown node's hidden marks changed: filtering looks at it.
    void hiddenChanged(Ref& node);
    // A child of a shown node was left without a row: a rebuild looks there.
    void unshownBelow(Ref& node);

    // The document remembers the expansion of each node.
    void expanded(TreeViewNode& node, bool on);

    RefStatus status() const;
    // The address a node stands for: its own, or for a group without one the
    // first shown child's, descending until an address is found.
    static std::string addressOf(const Ref& node);
    static RefImages imagesOf(const Ref& node);
    static bool shows(const Ref& node);
    // The model nodes of the selection, in the order they were selected.
    std::vector<Ref*> selection() const;

private:
    void addUnder(Ref& node, TreeViewNode& parentRow);
    void forgetRows(Ref& node);
    void dropWhere(bool (*drop)(const Ref&));
    void look(Ref& node, TreeViewNode& row);

    void forgetAll();

    TreeViewModel& view_;
    RefRoot* root_ = nullptr;
    // Filtering and rebuilding touch only the nodes that may have to change,
    // never the whole tree: shown nodes whose hidden marks were set (or may
    // have changed since), and shown nodes with a child that has no row.
    // Both hold only nodes with rows; a node leaves them with its row.
    RefItemSet hiddenShown_{0};
    RefItemSet gaps_{1};
    // The nodes a filter or a rebuild works through, taken from a set.
    std::vector<Ref*> visit_;
};

} // namespace qx
