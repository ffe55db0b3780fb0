#include "ui/tree/refs/RefTVNode.h"

#include "model/Ref.h"
#include "ui/tree/refs/RefTreeBinding.h"

#include <string>

namespace qx {

namespace {
// The binding whose tree holds the node; rows of a reference tree always sit
// below the top node the binding made.
RefTreeBinding* bindingOf(TreeViewNode& node) {
    auto* top = dynamic_cast<RefTVRoot*>(node.root());
    return top ? &top->binding() : nullptr;
}
} // namespace

RefItem* RefItem::of(const Ref& ref) {
    // Reference trees are the only views that give model nodes items.
    return static_cast<RefItem*>(ref.viewitem());
}

void RefItem::hiddenchanged() {
    if (RefTreeBinding* binding = bindingOf(treeNode()))
        binding->hiddenChanged(*ref_);
}

void RefItem::childunshown() {
    if (RefTreeBinding* binding = bindingOf(treeNode()))
        binding->unshownBelow(*ref_);
}

std::string rowLabel(const Ref& ref) {
    std::string text;
    ref.labelinto(text);
    return text;
}

RefTVNode::RefTVNode(Ref& ref) : TreeViewNode(rowLabel(ref)), RefItem(ref) {
    setStateBits(Expanded, ref.hasflags(Ref::Expanded));
}

void RefTVNode::settext(const Str& text) {
    setLabel(std::string(text.view()));
}

RefTVRoot::RefTVRoot(Ref& root, RefTreeBinding& binding)
    : TreeViewRoot(rowLabel(root)), RefItem(root), binding_(binding) {
    setStateBits(Expanded, true);
}

void RefTVRoot::settext(const Str& text) {
    setLabel(std::string(text.view()));
}

Ref& refOf(TreeViewNode& node) {
    if (TreeViewRoot* root = node.asRoot())
        return static_cast<RefTVRoot&>(*root).ref();
    return static_cast<RefTVNode&>(node).ref();
}

} // namespace qx
