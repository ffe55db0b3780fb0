#pragma once

#include "model/ViewItem.h"
#include "ui/tree/model/TreeViewNode.h"
#include "ui/tree/model/TreeViewRoot.h"

#include <string>

namespace qx {

class Ref;
class RefTreeBinding;

// What both kinds of tree node of a reference tree share: the model node they
// stand for, and the label they take from it when the model renames it.
class RefItem : public ViewItem {
public:
    explicit RefItem(Ref& ref) : ref_(&ref) {}
    Ref& ref() const { return *ref_; }
    virtual TreeViewNode& treeNode() = 0;

    // The item a model node has in its view, or null.
    static RefItem* of(const Ref& ref);

    // Passed on to the binding that made the item.
    void hiddenchanged() override;
    void childunshown() override;

    // The item's place in each of the binding's sets, -1 outside it.
    static constexpr int kSets = 2;
    int& placeIn(int set) { return places_[set]; }

protected:
    ~RefItem() = default;

private:
    Ref* ref_;
    int places_[kSets] = {-1, -1};
};

// A row of a reference tree, bound to one model node. It starts expanded when
// the document remembers the node expanded.
class RefTVNode final : public TreeViewNode, public RefItem {
public:
    explicit RefTVNode(Ref& ref);

    TreeViewNode& treeNode() override { return *this; }
    void settext(const Str& text) override;
};

// The top node of a reference tree, bound to the model root it shows.
class RefTVRoot final : public TreeViewRoot, public RefItem {
public:
    RefTVRoot(Ref& root, RefTreeBinding& binding);

    TreeViewNode& treeNode() override { return *this; }
    void settext(const Str& text) override;
    RefTreeBinding& binding() const { return binding_; }

private:
    RefTreeBinding& binding_;
};

// The model node a tree node of a reference tree stands for.
Ref& refOf(TreeViewNode& node);
// The text a row shows for a model node.
std::string rowLabel(const Ref& ref);

} // namespace qx
