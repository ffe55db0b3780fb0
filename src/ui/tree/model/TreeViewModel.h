#pragma once

#include "ui/tree/model/AutoScroller.h"
#include "ui/tree/model/TreeLayout.h"
#include "ui/tree/model/TreeTypes.h"
#include "ui/tree/model/VisibleRows.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace qx {

class Clock;
class TextMeasurer;
class TreeViewNode;
class TreeViewRoot;

struct TreeHit {
    TreeViewNode* node = nullptr;
    std::uint32_t flags = 0;
};

// Everything a tree view does that needs no drawing: the tree and its root,
// focus, anchor and selection, expansion, lazy layout, scrolling, the hit test,
// mouse and keyboard rules and the drag auto-scroll. The window derives from it
// and supplies painting, timers and the services below; a derived view changes
// what happens by overriding the protected operations.
class TreeViewModel : private NodeMeasurer {
public:
    explicit TreeViewModel(std::uint32_t style = treestyle::Default);
    virtual ~TreeViewModel();
    TreeViewModel(const TreeViewModel&) = delete;
    TreeViewModel& operator=(const TreeViewModel&) = delete;

    // The tree. The view owns its root; setRoot hands back the previous one so
    // that its owner can keep or drop it.
    TreeViewRoot& treeRoot() const { return *root_; }
    std::unique_ptr<TreeViewRoot> setRoot(std::unique_ptr<TreeViewRoot> root);

    std::uint32_t treeStyle() const { return layout_.style(); }
    // A window extends this to follow the bits it acts on itself.
    virtual void setTreeStyle(std::uint32_t style);

    // Metrics are read from the measurer now and on every font change.
    void setTextMeasurer(TextMeasurer* measurer);
    void fontChanged();
    int indentUnit() const { return layout_.indentUnit(); }
    int lineHeight() const { return layout_.lineHeight(); }
    // Width an image of list `which` takes; 0 when the view has no such list.
    void setImageWidth(int which, int width);
    int imageWidth(int which) const { return layout_.imageWidth(which); }

    void setClock(const Clock& clock) { clock_ = &clock; }
    const Clock& clock() const { return *clock_; }
    void setDragDistance(int distance) { dragDistance_ = distance; }
    void setAutoScrollInset(int inset) { autoScrollInset_ = inset; }

    // The window's client area and the scroll position (content coordinates of
    // its top left corner).
    void setViewportSize(int width, int height);
    int viewportWidth() const { return viewWidth_; }
    int viewportHeight() const { return viewHeight_; }
    int scrollX() const { return scrollX_; }
    int scrollY() const { return scrollY_; }
    void scrollTo(int x, int y);
    void scrollBy(int dx, int dy) { scrollTo(scrollX_ + dx, scrollY_ + dy); }
    void ensureVisible(TreeViewNode& node);

    // Many rows come and go at once (a filter, a rebuild, a command on a
    // selection): while a batch lives the window is not asked to redraw row
    // by row, but once, whole, when the outermost batch ends.
    class Batch {
    public:
        explicit Batch(TreeViewModel& view) : view_(view) { ++view_.batches_; }
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        TreeViewModel& view_;
    };

    // Layout: runs what changes have marked. Geometry queries run it first.
    bool layoutPending() const;
    void runPendingLayout();
    TreeSize contentSize();
    // The size as of the last layout pass, without running one.
    TreeSize laidOutSize() const;
    std::uint64_t placedNodes() const { return layout_.placedNodes(); }
    VisibleWalk walk() const { return layout_.walk(); }
    TreeZones zones(const TreeViewNode& node, int depth) const {
        return layout_.zones(node, depth);
    }
    // Content y of a shown node's row; -1 when the node is not shown here.
    int nodeTop(TreeViewNode& node);
    // The rows in the window, measured exactly, for painting.
    const std::vector<TreeRow>& visibleRows();
    // A row's label in window coordinates.
    TreeRect labelRect(const TreeRow& row) const;

    TreeViewNode* focusNode() const { return focus_; }
    TreeViewNode* anchorNode() const { return anchor_; }
    void setAnchorNode(TreeViewNode* node) { anchor_ = node; }
    void setFocusNode(TreeViewNode* node);
    void select(TreeViewNode& node, bool on);
    int selectedCount() const;
    TreeViewNode* firstSelected() const;
    // Clears the selection, then selects every shown node between the two,
    // both included, in display order.
    void selectRange(TreeViewNode& from, TreeViewNode& to);
    // Keeps only node selected.
    void reduceSelectionTo(TreeViewNode& node);

    // Nothing happens when the state already matches or the node cannot open.
    void expand(TreeViewNode& node, bool on);

    // Input, in window coordinates.
    void mousePress(TreePoint pos, TreeButton button, TreeModifiers keys);
    void mouseMove(TreePoint pos, bool buttonDown);
    void mouseRelease(TreePoint pos, TreeButton button);
    bool keyPress(TreeKey key, TreeModifiers keys);
    // The node whose clipped label a tip should show at pos, or null.
    TreeViewNode* tipItemAt(TreePoint pos);

    // Dragging over the view: the point decides the auto-scroll direction.
    void dragOver(TreePoint pos);
    void dragEnded();
    bool autoScrolling() const { return scroller_.isActive(); }
    // Scrolls when a step is due; true when the view moved.
    bool autoScrollTick();

    // Operations a derived view overrides; the defaults are the plain control's.
    virtual TreeHit hitTest(TreePoint pos);
    virtual void clickNode(TreeViewNode& node, TreeButton button, TreeModifiers keys);
    virtual void clearSelection();

protected:
    virtual bool canSelect(TreeViewNode& node);
    virtual void selectionChanged(TreeViewNode& node, bool on);
    virtual void focusChanged(TreeViewNode* node);
    // Before an expansion or collapse is drawn: the place to fill or empty children.
    virtual void expanding(TreeViewNode& node, bool on);
    virtual void afterCollapse(TreeViewNode& node);
    virtual void beginDrag();
    TreeSize measureNode(TreeViewNode& node, int wrapWidth) override;

    // Services of the window.
    virtual void invalidate(const TreeRect& rect);
    virtual void scrollStateChanged();
    virtual bool controlHasFocus() const;
    // A node (with its subtree) is leaving this view; staysInView for a move
    // inside it. A window that keeps node pointers drops them here.
    virtual void nodeLeaving(TreeViewNode& node, bool staysInView);

    void invalidateAll();

private:
    friend class TreeViewNode;

    enum class Pending { None, Deselect, Reduce };

    void nodeChanged(TreeViewNode& node, bool geometry);
    void nodeArrived(TreeViewNode& node);
    bool owns(TreeViewNode& node);
    // Inside a batch: notes that the window is to be redrawn at its end.
    bool redrawLater();
    void invalidateRow(TreeViewNode& node);
    void invalidateFrom(TreeViewNode& node);
    void geometryChanged();
    void clampScroll();
    void completePending();
    unsigned autoScrollDirection() const;

    std::unique_ptr<TreeViewRoot> root_;
    TreeLayout layout_;
    VisibleRows rows_;
    AutoScroller scroller_;
    TextMeasurer* measurer_ = nullptr;
    const Clock* clock_;
    TreeViewNode* focus_ = nullptr;
    TreeViewNode* anchor_ = nullptr;
    TreeViewNode* pendingNode_ = nullptr;
    Pending pending_ = Pending::None;
    bool pressed_ = false;
    TreePoint pressPoint_;
    TreePoint dragPoint_;
    int dragDistance_ = 4;
    int autoScrollInset_ = 8;
    int viewWidth_ = 0;
    int viewHeight_ = 0;
    int batches_ = 0;
    bool redrawDue_ = false;
    int scrollX_ = 0;
    int scrollY_ = 0;
};

} // namespace qx
