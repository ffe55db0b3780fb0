#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace qx {

class ChildRows;
class TreeViewModel;
class TreeViewRoot;

// One node of the tree a tree view shows. A node owns its children: removing a
// node destroys its subtree, and a node that is destroyed unlinks itself.
// Changes that affect the screen are reported to the view that shows the node,
// if any; a node that no view shows is just data.
class TreeViewNode {
public:
    // State bits.
    static constexpr std::uint16_t Alternate = 0x01; // drawn in the alternate colours
    static constexpr std::uint16_t Selected = 0x02;
    static constexpr std::uint16_t Expanded = 0x08;
    static constexpr std::uint16_t Focused = 0x10;
    static constexpr std::uint16_t Grayed = 0x40;
    static constexpr std::uint16_t ExpandOnDemand = 0x80; // children are made on expansion

    // Layout bits.
    static constexpr std::uint8_t NeedsMeasure = 0x01; // own size must be measured again
    static constexpr std::uint8_t NeedsPlace = 0x02;   // this node or one below must be placed

    explicit TreeViewNode(std::string label = {});
    virtual ~TreeViewNode();
    TreeViewNode(const TreeViewNode&) = delete;
    TreeViewNode& operator=(const TreeViewNode&) = delete;

    TreeViewNode* parent() const { return parent_; }
    TreeViewNode* previous() const { return prev_; }
    TreeViewNode* next() const { return next_; }
    TreeViewNode* firstChild() const { return first_; }
    TreeViewNode* lastChild() const { return last_; }
    bool hasChildren() const { return first_ != nullptr; }
    // Shows an expand button: has children, or makes them on expansion.
    bool canExpand() const { return first_ != nullptr || (state_ & ExpandOnDemand) != 0; }

    // Levels below the top node (the root has depth 0).
    int depth() const;
    // True when ancestor lies strictly above this node.
    bool isDescendantOf(const TreeViewNode* ancestor) const;
    // The next node of a pre-order walk that stays inside the subtree of top.
    TreeViewNode* nextInSubtree(const TreeViewNode* top) const;
    // The root above this node, or null while the node is not in a tree.
    TreeViewRoot* root();
    // The view that shows this node's tree, or null.
    TreeViewModel* view();
    virtual TreeViewRoot* asRoot() { return nullptr; }

    const std::string& label() const { return label_; }
    // The same text again changes nothing; a new text is measured again.
    void setLabel(std::string label);

    std::uint16_t state() const { return state_; }
    bool isExpanded() const { return (state_ & Expanded) != 0; }
    bool isSelected() const { return (state_ & Selected) != 0; }
    bool hasFocus() const { return (state_ & Focused) != 0; }
    bool isGrayed() const { return (state_ & Grayed) != 0; }
    bool isAlternate() const { return (state_ & Alternate) != 0; }
    void setGrayed(bool on) { setLook(Grayed, on); }
    void setAlternate(bool on) { setLook(Alternate, on); }
    void setExpandOnDemand(bool on) { setLook(ExpandOnDemand, on); }

    std::uint8_t layoutBits() const { return layout_; }

    // Image indices, which 0 or 1; 0 means none.
    std::uint8_t image(int which) const { return images_[which != 0]; }
    void setImage(int which, std::uint8_t index);

    // Through the showing view, which asks its derived view and repaints.
    void expand(bool on);
    void select(bool on);
    void makeFocus();

    // Inserts a detached node as a child of this one and returns it. A request
    // that would break the tree (a sibling of another parent, a node that is
    // already linked, a root) is ignored: null is returned and node is left to
    // the caller.
    TreeViewNode* append(std::unique_ptr<TreeViewNode>&& node);
    TreeViewNode* insertBefore(std::unique_ptr<TreeViewNode>&& node, TreeViewNode* sibling);
    // After sibling; a null sibling inserts as the first child.
    TreeViewNode* insertAfter(std::unique_ptr<TreeViewNode>&& node, TreeViewNode* sibling);
    // Moves this node with its subtree under newParent, before `before` (or last).
    // Moving under itself or its own descendant is refused.
    bool moveTo(TreeViewNode* newParent, TreeViewNode* before = nullptr);
    // Unlinks this node and hands it back; null for a node without parent.
    std::unique_ptr<TreeViewNode> detach();
    // Destroys this node with its subtree (it must have a parent).
    void remove();
    void removeChildren();

    // Geometry in content coordinates from the last layout; valid for shown nodes.
    int labelLeft() const { return right_ - labelWidth_; }
    int right() const { return right_; }
    int labelHeight() const { return labelHeight_; }
    int rowHeight() const { return rowHeight_; }
    int subtreeHeight() const { return height_; }

    // The next node of the selection, in the order the nodes were selected.
    TreeViewNode* nextSelected() const { return selNext_; }

protected:
    // Raw state change without the view: for a node that is being built.
    void setStateBits(std::uint16_t mask, bool on);

private:
    friend class ChildRows;
    friend class TreeLayout;
    friend class TreeViewModel;
    friend class TreeViewRoot;

    // Internal layout flags.
    static constexpr std::uint8_t Restructured = 0x01;   // children changed: index them again
    static constexpr std::uint8_t WidthEstimated = 0x02; // label width not yet exact

    static int countChars(const std::string& utf8);

    void setLook(std::uint16_t mask, bool on);
    TreeViewNode* insertNode(std::unique_ptr<TreeViewNode>&& node, TreeViewNode* before);
    bool accepts(const TreeViewNode* node, const TreeViewNode* before) const;
    void link(TreeViewNode* parent, TreeViewNode* before);
    void unlink();
    void deleteChildren();
    void markPlace();
    void markStructure();
    ChildRows& rows();

    // What a layout pass reads of every child comes first, to share a cache line.
    TreeViewNode* next_ = nullptr;
    TreeViewNode* first_ = nullptr;
    TreeViewNode* parent_ = nullptr;
    std::uint32_t layoutGen_ = 0;
    std::uint32_t measureGen_ = 0;
    int index_ = 0;
    int rowHeight_ = 0;
    int height_ = 0;   // own row plus the visible rows below it
    int right_ = 0;    // right edge of the label
    int subRight_ = 0; // rightmost edge in the visible subtree
    int labelWidth_ = 0;
    int labelChars_ = 0; // characters in the label, for its estimated width
    std::uint16_t state_ = 0;
    std::uint8_t layout_ = 0;
    std::uint8_t flags_ = 0;
    std::uint8_t images_[2] = {0, 0};
    int labelHeight_ = 0;
    TreeViewNode* prev_ = nullptr;
    TreeViewNode* last_ = nullptr;
    TreeViewNode* selPrev_ = nullptr;
    TreeViewNode* selNext_ = nullptr;
    std::string label_;
    std::unique_ptr<ChildRows> rows_;
};

} // namespace qx
