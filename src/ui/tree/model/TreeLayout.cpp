#include "ui/tree/model/TreeLayout.h"

#include "ui/tree/model/ChildRows.h"
#include "ui/tree/model/TreeViewRoot.h"

#include <algorithm>

namespace qx {

namespace {

// Generations are drawn from one counter so that a tree handed from one view
// to another never looks laid out for the new one.
std::uint32_t nextGeneration() {
    static std::uint32_t counter = 0;
    return ++counter;
}

constexpr int kLabelMargin = 2; // one pixel on each side of the text

} // namespace

TreeLayout::TreeLayout(NodeMeasurer& measurer)
    : measurer_(measurer), gen_(nextGeneration()), measureGen_(nextGeneration()) {}

void TreeLayout::setStyle(std::uint32_t style) {
    if (style == style_)
        return;
    // Showing the root gives it a row of its own, which must be measured.
    const std::uint32_t textBits =
        treestyle::MultiLine | treestyle::WrapLabels | treestyle::ShowRoot;
    const bool remeasure = (style & textBits) != (style_ & textBits);
    style_ = style;
    invalidateAll(remeasure);
}

void TreeLayout::setMetrics(int charHeight, int averageCharWidth) {
    charHeight_ = std::max(charHeight, 1);
    averageCharWidth_ = std::max(averageCharWidth, 1);
    lineHeight_ = charHeight_ + kLabelMargin;
    indentUnit_ = charHeight_ + kLabelMargin;
    invalidateAll(true);
}

void TreeLayout::setImageWidth(int which, int width) {
    int& slot = imageWidth_[which != 0];
    if (slot == width)
        return;
    slot = std::max(width, 0);
    invalidateAll(false);
}

void TreeLayout::setClientWidth(int width) {
    if (width == clientWidth_)
        return;
    clientWidth_ = width;
    if (wrapping())
        invalidateAll(true);
}

void TreeLayout::invalidateAll(bool remeasure) {
    gen_ = nextGeneration();
    if (remeasure)
        measureGen_ = nextGeneration();
}

bool TreeLayout::wrapping() const {
    const std::uint32_t bits = treestyle::MultiLine | treestyle::WrapLabels;
    return (style_ & bits) == bits;
}

TreeZones TreeLayout::zones(const TreeViewNode& node, int depth) const {
    TreeZones z;
    if (style_ & treestyle::Lines) {
        const int level = depth - ((style_ & treestyle::ShowRoot) ? 0 : 1);
        z.indent = std::max(level, 0) * indentUnit_;
        z.buttonEnd = z.indent + indentUnit_;
    }
    int x = z.buttonEnd;
    if (node.image(0) && imageWidth_[0] > 0) {
        z.firstImage = x;
        x += imageWidth_[0];
    }
    if (node.image(1) && imageWidth_[1] > 0) {
        z.secondImage = x;
        x += imageWidth_[1];
    }
    if (x != z.buttonEnd)
        x += 2;
    z.labelLeft = x;
    return z;
}

void TreeLayout::run(TreeViewRoot& root) {
    if (pending(root))
        layoutNode(root, 0);
}

bool TreeLayout::needsVisit(const TreeViewNode& node) const {
    return node.layoutGen_ != gen_ || (node.layout_ & TreeViewNode::NeedsPlace);
}

void TreeLayout::measure(TreeViewNode& node, int depth) {
    node.measureGen_ = measureGen_;
    if (!node.parent() && !(style_ & treestyle::ShowRoot)) {
        node.labelWidth_ = node.labelHeight_ = node.rowHeight_ = 0;
        return;
    }
    if (style_ & treestyle::MultiLine) {
        int wrap = 0;
        if (wrapping())
            wrap = std::max(clientWidth_ - zones(node, depth).labelLeft - kLabelMargin,
                            10 * averageCharWidth_);
        const TreeSize text = measurer_.measureNode(node, wrap);
        node.labelWidth_ = text.width + kLabelMargin;
        node.labelHeight_ = std::max(text.height, charHeight_) + kLabelMargin;
        node.flags_ &= static_cast<std::uint8_t>(~TreeViewNode::WidthEstimated);
    } else {
        node.labelWidth_ = node.labelChars_ * averageCharWidth_ + kLabelMargin;
        node.labelHeight_ = lineHeight_;
        node.flags_ |= TreeViewNode::WidthEstimated;
    }
    node.rowHeight_ = std::max(lineHeight_, node.labelHeight_);
}

void TreeLayout::layoutNode(TreeViewNode& node, int depth) {
    ++placed_;
    const bool stale = node.layoutGen_ != gen_;
    if ((node.layout_ & TreeViewNode::NeedsMeasure) || node.measureGen_ != measureGen_ ||
        (wrapping() && stale))
        measure(node, depth);
    const bool hiddenRoot = !node.parent() && !(style_ & treestyle::ShowRoot);
    node.right_ = hiddenRoot ? 0 : zones(node, depth).labelLeft + node.labelWidth_;

    if (walk().isOpen(node) && node.first_) {
        ChildRows& rows = node.rows();
        if (stale || (node.flags_ & TreeViewNode::Restructured)) {
            rows.clear();
            for (TreeViewNode* c = node.first_; c; c = c->next_) {
                if (needsVisit(*c))
                    layoutNode(*c, depth + 1);
                rows.append(*c);
            }
            rows.finish();
            node.flags_ &= static_cast<std::uint8_t>(~TreeViewNode::Restructured);
        } else {
            for (TreeViewNode* c : rows.dirty()) {
                layoutNode(*c, depth + 1);
                rows.update(c->index_, c->height_, c->subRight_);
            }
            rows.dirty().clear();
        }
        node.height_ = node.rowHeight_ + rows.totalHeight();
        node.subRight_ = std::max(node.right_, rows.maxRight());
    } else {
        // Children of a closed node are left as they are; opening it walks
        // them all.
        if (node.rows_)
            node.rows_->dirty().clear();
        node.flags_ |= TreeViewNode::Restructured;
        node.height_ = node.rowHeight_;
        node.subRight_ = node.right_;
    }
    node.layout_ = 0;
    node.layoutGen_ = gen_;
}

void TreeLayout::refineWidth(TreeViewNode& node) {
    if (!(node.flags_ & TreeViewNode::WidthEstimated))
        return;
    node.flags_ &= static_cast<std::uint8_t>(~TreeViewNode::WidthEstimated);
    const int width = measurer_.measureNode(node, 0).width + kLabelMargin;
    if (width == node.labelWidth_)
        return;
    node.right_ += width - node.labelWidth_;
    node.labelWidth_ = width;
    for (TreeViewNode* n = &node;; n = n->parent_) {
        const bool open = walk().isOpen(*n) && n->first_ && n->rows_;
        n->subRight_ = std::max(n->right_, open ? n->rows_->maxRight() : 0);
        if (!n->parent_)
            break;
        n->parent_->rows_->update(n->index_, n->height_, n->subRight_);
    }
}

int TreeLayout::top(const TreeViewNode& node) const {
    int y = 0;
    for (const TreeViewNode* n = &node; n->parent_; n = n->parent_)
        y += n->parent_->rowHeight_ + n->parent_->rows_->offsetOf(n->index_);
    return y;
}

TreeRow TreeLayout::rowAt(TreeViewRoot& root, int y) const {
    if (y < 0 || y >= root.height_)
        return {};
    TreeViewNode* n = &root;
    int top = 0;
    int depth = 0;
    for (;;) {
        if (y < top + n->rowHeight_)
            return {n, top, depth, {}};
        const int base = top + n->rowHeight_;
        int start = 0;
        const int index = n->rows_->indexAt(y - base, start);
        top = base + start;
        n = n->rows_->at(index);
        ++depth;
    }
}

TreeSize TreeLayout::contentSize(const TreeViewRoot& root) const {
    return {root.subRight_, root.height_};
}

} // namespace qx
