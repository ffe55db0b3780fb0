#include "ui/tree/model/TreeViewModel.h"

#include "ui/tree/model/Clock.h"
#include "ui/tree/model/TextMeasurer.h"
#include "ui/tree/model/TreeKeyboard.h"
#include "ui/tree/model/TreeViewRoot.h"

#include <algorithm>

namespace qx {

TreeViewModel::TreeViewModel(std::uint32_t style)
    : root_(std::make_unique<TreeViewRoot>()), layout_(*this), clock_(&SteadyClock::instance()) {
    layout_.setStyle(style);
    root_->view_ = this;
}

TreeViewModel::~TreeViewModel() {
    // The tree goes with the view but must not report back to it while dying.
    root_->view_ = nullptr;
}

std::unique_ptr<TreeViewRoot> TreeViewModel::setRoot(std::unique_ptr<TreeViewRoot> root) {
    if (focus_)
        focus_->setStateBits(TreeViewNode::Focused, false);
    focus_ = anchor_ = pendingNode_ = nullptr;
    pending_ = Pending::None;
    pressed_ = false;

    std::unique_ptr<TreeViewRoot> old = std::move(root_);
    while (TreeViewNode* n = old->selFirst_)
        old->unlinkSelected(*n);
    old->view_ = nullptr;

    root_ = root ? std::move(root) : std::make_unique<TreeViewRoot>();
    root_->view_ = this;
    nodeArrived(*root_);
    layout_.invalidateAll(true);
    scrollX_ = scrollY_ = 0;
    geometryChanged();
    return old;
}

void TreeViewModel::setTreeStyle(std::uint32_t style) {
    const bool rootShown = (treeStyle() & treestyle::ShowRoot) != 0;
    layout_.setStyle(style);
    if (rootShown && !(style & treestyle::ShowRoot) && focus_ == root_.get())
        setFocusNode(nullptr);
    geometryChanged();
}

void TreeViewModel::setTextMeasurer(TextMeasurer* measurer) {
    measurer_ = measurer;
    fontChanged();
}

void TreeViewModel::fontChanged() {
    if (measurer_)
        layout_.setMetrics(measurer_->charHeight(), measurer_->averageCharWidth());
    else
        layout_.invalidateAll(true);
    geometryChanged();
}

void TreeViewModel::setImageWidth(int which, int width) {
    layout_.setImageWidth(which, width);
    geometryChanged();
}

void TreeViewModel::setViewportSize(int width, int height) {
    if (width == viewWidth_ && height == viewHeight_)
        return;
    viewWidth_ = width;
    viewHeight_ = height;
    layout_.setClientWidth(width);
    rows_.invalidate();
    clampScroll();
    scrollStateChanged();
}

void TreeViewModel::scrollTo(int x, int y) {
    runPendingLayout();
    const TreeSize content = layout_.contentSize(*root_);
    x = std::clamp(x, 0, std::max(content.width - viewWidth_, 0));
    y = std::clamp(y, 0, std::max(content.height - viewHeight_, 0));
    if (x == scrollX_ && y == scrollY_)
        return;
    scrollX_ = x;
    scrollY_ = y;
    rows_.invalidate();
    invalidateAll();
    scrollStateChanged();
}

void TreeViewModel::clampScroll() {
    const TreeSize content = layout_.contentSize(*root_);
    const int x = std::clamp(scrollX_, 0, std::max(content.width - viewWidth_, 0));
    const int y = std::clamp(scrollY_, 0, std::max(content.height - viewHeight_, 0));
    if (x != scrollX_ || y != scrollY_) {
        scrollX_ = x;
        scrollY_ = y;
        rows_.invalidate();
        invalidateAll();
    }
}

void TreeViewModel::ensureVisible(TreeViewNode& node) {
    const int top = nodeTop(node);
    if (top < 0)
        return;
    const int bottom = top + node.rowHeight();
    if (top < scrollY_)
        scrollTo(scrollX_, top);
    else if (bottom > scrollY_ + viewHeight_)
        scrollTo(scrollX_, std::min(top, bottom - viewHeight_));
}

bool TreeViewModel::layoutPending() const {
    return layout_.pending(*root_);
}

void TreeViewModel::runPendingLayout() {
    if (!layout_.pending(*root_))
        return;
    layout_.run(*root_);
    rows_.invalidate();
    clampScroll();
    scrollStateChanged();
}

TreeSize TreeViewModel::contentSize() {
    runPendingLayout();
    return layout_.contentSize(*root_);
}

TreeSize TreeViewModel::laidOutSize() const {
    return layout_.contentSize(*root_);
}

int TreeViewModel::nodeTop(TreeViewNode& node) {
    if (!owns(node) || !walk().isShown(node))
        return -1;
    runPendingLayout();
    return layout_.top(node);
}

const std::vector<TreeRow>& TreeViewModel::visibleRows() {
    runPendingLayout();
    if (!rows_.isValid()) {
        const int before = layout_.contentSize(*root_).width;
        rows_.build(layout_, *root_, scrollY_, viewHeight_);
        if (layout_.contentSize(*root_).width != before)
            scrollStateChanged();
    }
    return rows_.rows();
}

TreeRect TreeViewModel::labelRect(const TreeRow& row) const {
    const int left = row.node->labelLeft() - scrollX_;
    const int top = row.top - scrollY_;
    return {left, top, row.node->right() - scrollX_, top + row.node->labelHeight()};
}

void TreeViewModel::setFocusNode(TreeViewNode* node) {
    if (node == focus_ || (node && !owns(*node)))
        return;
    if (focus_) {
        focus_->setStateBits(TreeViewNode::Focused, false);
        invalidateRow(*focus_);
    }
    focus_ = node;
    if (node) {
        node->setStateBits(TreeViewNode::Focused, true);
        invalidateRow(*node);
    }
    focusChanged(node);
}

void TreeViewModel::select(TreeViewNode& node, bool on) {
    if (node.isSelected() == on)
        return;
    if (!owns(node) || (on && ((treeStyle() & treestyle::NoSelection) || !canSelect(node))))
        return;
    node.setStateBits(TreeViewNode::Selected, on);
    if (on)
        root_->linkSelected(node);
    else
        root_->unlinkSelected(node);
    invalidateRow(node);
    selectionChanged(node, on);
}

int TreeViewModel::selectedCount() const {
    return root_->selectedCount();
}

TreeViewNode* TreeViewModel::firstSelected() const {
    return root_->firstSelected();
}

void TreeViewModel::clearSelection() {
    while (TreeViewNode* n = root_->firstSelected())
        select(*n, false);
}

void TreeViewModel::reduceSelectionTo(TreeViewNode& node) {
    TreeViewNode* n = root_->firstSelected();
    while (n) {
        TreeViewNode* next = n->nextSelected();
        if (n != &node)
            select(*n, false);
        n = next;
    }
    select(node, true);
}

void TreeViewModel::selectRange(TreeViewNode& from, TreeViewNode& to) {
    const VisibleWalk w = walk();
    TreeViewNode* a = w.nearestShown(from);
    TreeViewNode* b = w.nearestShown(to);
    clearSelection();
    if (!a || !b)
        return;
    if (nodeTop(*a) > nodeTop(*b))
        std::swap(a, b);
    for (TreeViewNode* n = a; n; n = w.next(*n)) {
        select(*n, true);
        if (n == b)
            break;
    }
}

void TreeViewModel::expand(TreeViewNode& node, bool on) {
    if (node.isExpanded() == on || !owns(node) ||
        (!node.parent() && !(treeStyle() & treestyle::ShowRoot)))
        return;
    if (on && !node.canExpand())
        return;
    invalidateFrom(node);
    node.setStateBits(TreeViewNode::Expanded, on);
    expanding(node, on);
    if (!on) {
        afterCollapse(node);
        // The focus must stay on a row the keyboard can move from.
        if (focus_ && focus_->isDescendantOf(&node))
            setFocusNode(&node);
    }
    node.markStructure();
    rows_.invalidate();
}

TreeHit TreeViewModel::hitTest(TreePoint pos) {
    TreeHit hit;
    if (pos.x < 0)
        hit.flags |= treehit::ToLeft;
    if (pos.x >= viewWidth_)
        hit.flags |= treehit::ToRight;
    if (pos.y < 0)
        hit.flags |= treehit::Above;
    if (pos.y >= viewHeight_)
        hit.flags |= treehit::Below;
    if (hit.flags)
        return hit;
    visibleRows();
    const TreeRow* row = rows_.find(pos.y + scrollY_);
    if (!row) {
        hit.flags = treehit::Nowhere;
        return hit;
    }
    hit.node = row->node;
    const TreeZones& z = row->zones;
    const int x = pos.x + scrollX_;
    if (x < z.indent) {
        hit.flags = treehit::OnIndent;
    } else if (x < z.buttonEnd) {
        hit.flags = treehit::OnButton;
    } else if (x < row->node->right()) {
        hit.flags = treehit::OnItem;
        const int y = pos.y + scrollY_;
        const int height = row->node->rowHeight();
        const int band = height * 2 / 7;
        if (y < row->top + band)
            hit.flags |= treehit::TopBand;
        else if (y >= row->top + height - band)
            hit.flags |= treehit::BottomBand;
        if (z.firstImage >= 0 && x >= z.firstImage && x < z.firstImage + imageWidth(0))
            hit.flags |= treehit::OnFirstImage;
        else if (z.secondImage >= 0 && x >= z.secondImage && x < z.secondImage + imageWidth(1))
            hit.flags |= treehit::OnSecondImage;
    } else {
        hit.flags = treehit::RightOfItem;
    }
    return hit;
}

void TreeViewModel::clickNode(TreeViewNode& node, TreeButton button, TreeModifiers keys) {
    if (keys.shift) {
        if (!anchor_)
            anchor_ = &node;
        selectRange(*anchor_, node);
        setFocusNode(&node);
        return;
    }
    if (keys.ctrl) {
        if (button == TreeButton::Left && node.isSelected()) {
            pending_ = Pending::Deselect;
            pendingNode_ = &node;
        } else {
            select(node, true);
        }
    } else if (!node.isSelected()) {
        clearSelection();
        select(node, true);
    } else if (button == TreeButton::Left) {
        // Kept until the button is released, so that a multi-selection can be dragged.
        pending_ = Pending::Reduce;
        pendingNode_ = &node;
    }
    setFocusNode(&node);
    anchor_ = &node;
}

void TreeViewModel::mousePress(TreePoint pos, TreeButton button, TreeModifiers keys) {
    pending_ = Pending::None;
    pendingNode_ = nullptr;
    const TreeHit hit = hitTest(pos);
    if (!hit.node) {
        clearSelection();
        return;
    }
    TreeViewNode& node = *hit.node;
    clickNode(node, button, keys);
    if (button == TreeButton::Left && (hit.flags & treehit::OnButton) && node.canExpand()) {
        const bool open = !node.isExpanded();
        expand(node, open);
        if (open)
            runPendingLayout();
        return;
    }
    pressed_ = true;
    pressPoint_ = pos;
}

void TreeViewModel::mouseMove(TreePoint pos, bool buttonDown) {
    if (!pressed_ || !buttonDown || !(treeStyle() & treestyle::Draggable))
        return;
    const std::int64_t dx = pos.x - pressPoint_.x;
    const std::int64_t dy = pos.y - pressPoint_.y;
    const std::int64_t d = dragDistance_;
    if (dx * dx + dy * dy <= d * d)
        return;
    pressed_ = false;
    // The drag takes the selection as it stands; the button's release belongs to it.
    pending_ = Pending::None;
    pendingNode_ = nullptr;
    beginDrag();
}

void TreeViewModel::mouseRelease(TreePoint, TreeButton button) {
    pressed_ = false;
    if (button == TreeButton::Left)
        completePending();
}

void TreeViewModel::completePending() {
    TreeViewNode* node = pendingNode_;
    const Pending what = pending_;
    pending_ = Pending::None;
    pendingNode_ = nullptr;
    if (!node)
        return;
    if (what == Pending::Deselect)
        select(*node, false);
    else if (what == Pending::Reduce)
        reduceSelectionTo(*node);
}

bool TreeViewModel::keyPress(TreeKey key, TreeModifiers keys) {
    return TreeKeyboard(*this).press(key, keys);
}

TreeViewNode* TreeViewModel::tipItemAt(TreePoint pos) {
    const TreeHit hit = hitTest(pos);
    if (!(hit.flags & treehit::OnItem))
        return nullptr;
    const TreeRow* row = rows_.find(hit.node);
    if (!row)
        return nullptr;
    const TreeRect r = labelRect(*row);
    const bool inside =
        r.left >= 0 && r.top >= 0 && r.right <= viewWidth_ && r.bottom <= viewHeight_;
    return inside ? nullptr : hit.node;
}

unsigned TreeViewModel::autoScrollDirection() const {
    const TreeSize content = layout_.contentSize(*root_);
    unsigned dir = 0;
    if (dragPoint_.y < autoScrollInset_ && scrollY_ > 0)
        dir |= AutoScroller::Up;
    if (dragPoint_.y >= viewHeight_ - autoScrollInset_ && scrollY_ < content.height - viewHeight_)
        dir |= AutoScroller::Down;
    if (dragPoint_.x < autoScrollInset_ && scrollX_ > 0)
        dir |= AutoScroller::Left;
    if (dragPoint_.x >= viewWidth_ - autoScrollInset_ && scrollX_ < content.width - viewWidth_)
        dir |= AutoScroller::Right;
    return dir;
}

void TreeViewModel::dragOver(TreePoint pos) {
    runPendingLayout();
    dragPoint_ = pos;
    scroller_.setDirection(autoScrollDirection(), clock_->nowMs());
}

void TreeViewModel::dragEnded() {
    scroller_.setDirection(0, clock_->nowMs());
}

bool TreeViewModel::autoScrollTick() {
    const int step = scroller_.tick(clock_->nowMs());
    if (!step)
        return false;
    const unsigned dir = scroller_.direction();
    const int dy = step * lineHeight();
    const int dx = step * indentUnit();
    const int x0 = scrollX_;
    const int y0 = scrollY_;
    scrollBy((dir & AutoScroller::Right ? dx : 0) - (dir & AutoScroller::Left ? dx : 0),
             (dir & AutoScroller::Down ? dy : 0) - (dir & AutoScroller::Up ? dy : 0));
    // At an end the direction no longer counts.
    scroller_.setDirection(autoScrollDirection() & dir, clock_->nowMs());
    return scrollX_ != x0 || scrollY_ != y0;
}

bool TreeViewModel::canSelect(TreeViewNode&) {
    return true;
}
void TreeViewModel::selectionChanged(TreeViewNode&, bool) {}
void TreeViewModel::focusChanged(TreeViewNode*) {}
void TreeViewModel::expanding(TreeViewNode&, bool) {}
void TreeViewModel::afterCollapse(TreeViewNode&) {}
void TreeViewModel::beginDrag() {}
void TreeViewModel::invalidate(const TreeRect&) {}
void TreeViewModel::scrollStateChanged() {}
bool TreeViewModel::controlHasFocus() const {
    return false;
}

TreeSize TreeViewModel::measureNode(TreeViewNode& node, int wrapWidth) {
    if (!measurer_)
        return {0, 0};
    return measurer_->measure(node.label(), (treeStyle() & treestyle::MultiLine) != 0, wrapWidth);
}

void TreeViewModel::nodeLeaving(TreeViewNode& node, bool staysInView) {
    if (root_->selectedCount() > 0) {
        for (TreeViewNode* n = &node; n; n = n->nextInSubtree(&node)) {
            if (n->isSelected())
                root_->unlinkSelected(*n);
        }
    }
    if (!staysInView) {
        auto inside = [&node](const TreeViewNode* n) {
            return n && (n == &node || n->isDescendantOf(&node));
        };
        if (inside(anchor_))
            anchor_ = nullptr;
        if (inside(pendingNode_)) {
            pendingNode_ = nullptr;
            pending_ = Pending::None;
        }
        if (inside(focus_)) {
            focus_->setStateBits(TreeViewNode::Focused, false);
            // The keyboard goes on from the row that takes the leaving one's
            // place, not from the top of the tree.
            TreeViewNode* heir = node.next() ? node.next() : node.previous();
            if (!heir)
                heir = node.parent();
            focus_ = heir;
            if (heir)
                heir->setStateBits(TreeViewNode::Focused, true);
            focusChanged(heir);
        }
    }
    rows_.invalidate();
    invalidateAll();
}

void TreeViewModel::nodeArrived(TreeViewNode& node) {
    for (TreeViewNode* n = &node; n; n = n->nextInSubtree(&node)) {
        if (n->isSelected())
            root_->linkSelected(*n);
    }
    rows_.invalidate();
    invalidateAll();
}

void TreeViewModel::nodeChanged(TreeViewNode& node, bool geometry) {
    if (geometry) {
        rows_.invalidate();
        invalidateAll();
    } else {
        invalidateRow(node);
    }
}

bool TreeViewModel::owns(TreeViewNode& node) {
    return node.root() == root_.get();
}

TreeViewModel::Batch::~Batch() {
    if (--view_.batches_ == 0 && view_.redrawDue_) {
        view_.redrawDue_ = false;
        view_.invalidateAll();
    }
}

bool TreeViewModel::redrawLater() {
    if (batches_ > 0)
        redrawDue_ = true;
    return batches_ > 0;
}

void TreeViewModel::invalidateAll() {
    if (redrawLater())
        return;
    invalidate({0, 0, viewWidth_, viewHeight_});
}

void TreeViewModel::invalidateRow(TreeViewNode& node) {
    if (redrawLater())
        return;
    if (layoutPending() || !walk().isShown(node)) {
        invalidateAll();
        return;
    }
    const int top = layout_.top(node) - scrollY_;
    if (top < viewHeight_ && top + node.rowHeight() > 0)
        invalidate({0, top, viewWidth_, top + node.rowHeight()});
}

void TreeViewModel::invalidateFrom(TreeViewNode& node) {
    if (redrawLater())
        return;
    if (layoutPending() || !walk().isShown(node)) {
        invalidateAll();
        return;
    }
    const int top = std::max(layout_.top(node) - scrollY_, 0);
    if (top < viewHeight_)
        invalidate({0, top, viewWidth_, viewHeight_});
}

void TreeViewModel::geometryChanged() {
    rows_.invalidate();
    invalidateAll();
}

} // namespace qx
