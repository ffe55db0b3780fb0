#pragma once

#include "ui/tree/model/TreeTypes.h"

#include <cstdint>

namespace qx {

class TreeViewNode;

// What the tip logic asks of the window that shows the tip.
class TipWindowSink {
public:
    virtual void startTipTimer() = 0; // ticks every kTickMs
    virtual void stopTipTimer() = 0;
    // Shows the node's full label over its row; false when there is nothing to show.
    virtual bool showTip(TreeViewNode& node) = 0;
    virtual void hideTip() = 0;

protected:
    ~TipWindowSink() = default;
};

// When the tip window for clipped labels appears, moves and goes away: shown
// once the pointer stayed 500 ms on an item, moved to a new item after 100 ms,
// hidden 5000 ms after the item was entered or when the pointer leaves.
class TipTracker {
public:
    static constexpr int kTickMs = 55;
    static constexpr int kShowDelayMs = 500;
    static constexpr int kSwitchDelayMs = 100;
    static constexpr int kHideDelayMs = 5000;

    explicit TipTracker(TipWindowSink& sink) : sink_(sink) {}

    // Every mouse message: the item under the pointer (or null), whether the
    // control's top-level window is the foreground window, and the time in ms.
    void mouseMessage(TreeViewNode* item, TreePoint pos, bool foreground, std::int64_t now);
    void timerTick(bool pointerInControl, std::int64_t now);
    // The node is going away (with its subtree, when the tracked one lies in it).
    void forget(const TreeViewNode& node);

    TreeViewNode* trackedItem() const { return tracked_; }
    TreeViewNode* shownItem() const { return shown_; }
    TreePoint enterPoint() const { return enterPoint_; }

private:
    void show(TreeViewNode& node);
    void hide();

    TipWindowSink& sink_;
    TreeViewNode* tracked_ = nullptr;
    TreeViewNode* shown_ = nullptr;
    TreePoint enterPoint_;
    std::int64_t enterTime_ = 0;
    bool timerRunning_ = false;
};

} // namespace qx
