#pragma once

#include "ui/tree/model/TreeTypes.h"
#include "ui/tree/model/TreeViewRoot.h"
#include "ui/tree/model/VisibleWalk.h"

#include <cstdint>

namespace qx {

// Where a row's parts begin, in content x. An image position is -1 when that
// image is not drawn.
struct TreeZones {
    int indent = 0;
    int buttonEnd = 0;
    int firstImage = -1;
    int secondImage = -1;
    int labelLeft = 0;
};

// A row found at some height; zones are filled in for rows in the window.
struct TreeRow {
    TreeViewNode* node = nullptr;
    int top = 0;
    int depth = 0;
    TreeZones zones;
};

// Supplies label sizes to the layout: the text's width and height, without the
// label's margins.
class NodeMeasurer {
public:
    virtual TreeSize measureNode(TreeViewNode& node, int wrapWidth) = 0;

protected:
    ~NodeMeasurer() = default;
};

// Lazy layout of a tree view. Changes mark nodes (see TreeViewNode's layout
// bits); a pass visits only marked nodes and the children of nodes that were
// opened or restructured. Every open node keeps its children's heights in a
// ChildRows, so finding a row by height and the height of a row take
// O(depth * log n). A one-line label needs no text measuring to be placed: its
// height is the line height, and until its row comes into view its width is
// estimated from its character count and the average character width (that
// only feeds the horizontal scroll range). Rows in view are measured exactly,
// so opening a node with a hundred thousand children lays out no text at all.
class TreeLayout {
public:
    explicit TreeLayout(NodeMeasurer& measurer);

    std::uint32_t style() const { return style_; }
    void setStyle(std::uint32_t style);
    // Metrics from the font: one line of text is charHeight high.
    void setMetrics(int charHeight, int averageCharWidth);
    int indentUnit() const { return indentUnit_; }
    int lineHeight() const { return lineHeight_; }
    int charHeight() const { return charHeight_; }
    void setImageWidth(int which, int width);
    int imageWidth(int which) const { return imageWidth_[which != 0]; }
    // Wrapped labels follow the window's width.
    void setClientWidth(int width);

    // Every node is placed again on the next pass; with remeasure, measured again.
    void invalidateAll(bool remeasure);

    VisibleWalk walk() const { return VisibleWalk((style_ & treestyle::ShowRoot) != 0); }
    TreeZones zones(const TreeViewNode& node, int depth) const;

    bool pending(const TreeViewRoot& root) const {
        return root.layoutGen_ != gen_ || (root.layout_ & TreeViewNode::NeedsPlace);
    }
    void run(TreeViewRoot& root);
    // Replaces an estimated label width by the exact one (layout must be clean).
    void refineWidth(TreeViewNode& node);

    // Geometry after a clean pass; node must be shown.
    int top(const TreeViewNode& node) const;
    TreeRow rowAt(TreeViewRoot& root, int y) const;
    TreeSize contentSize(const TreeViewRoot& root) const;

    // Nodes placed by all passes so far: the work the layout did.
    std::uint64_t placedNodes() const { return placed_; }

private:
    void layoutNode(TreeViewNode& node, int depth);
    bool needsVisit(const TreeViewNode& node) const;
    void measure(TreeViewNode& node, int depth);
    bool wrapping() const;

    NodeMeasurer& measurer_;
    std::uint32_t style_ = treestyle::Default;
    int charHeight_ = 16;
    int averageCharWidth_ = 7;
    int indentUnit_ = 18;
    int lineHeight_ = 18;
    int imageWidth_[2] = {0, 0};
    int clientWidth_ = 0;
    std::uint64_t placed_ = 0;
    std::uint32_t gen_;
    std::uint32_t measureGen_;
};

} // namespace qx
