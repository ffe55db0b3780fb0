#include "ui/tree/model/TipTracker.h"

#include "ui/tree/model/TreeViewNode.h"

namespace qx {

void TipTracker::mouseMessage(TreeViewNode* item, TreePoint pos, bool foreground,
                              std::int64_t now) {
    if (item == tracked_)
        return;
    tracked_ = item;
    enterPoint_ = pos;
    enterTime_ = now;
    if (foreground && !timerRunning_) {
        timerRunning_ = true;
        sink_.startTipTimer();
    }
}

void TipTracker::timerTick(bool pointerInControl, std::int64_t now) {
    const std::int64_t since = now - enterTime_;
    if (!shown_) {
        if (!tracked_)
            hide(); // nothing to wait for
        else if (since > kShowDelayMs)
            show(*tracked_);
        return;
    }
    if (!pointerInControl) {
        hide();
    } else if (tracked_ != shown_) {
        if (!tracked_)
            hide();
        else if (since >= kSwitchDelayMs)
            show(*tracked_);
    } else if (since >= kHideDelayMs) {
        hide();
    }
}

void TipTracker::forget(const TreeViewNode& node) {
    auto inside = [&node](const TreeViewNode* n) {
        return n && (n == &node || n->isDescendantOf(&node));
    };
    if (inside(shown_))
        hide();
    if (inside(tracked_))
        tracked_ = nullptr;
}

void TipTracker::show(TreeViewNode& node) {
    if (node.label().empty() || !sink_.showTip(node)) {
        hide();
        return;
    }
    shown_ = &node;
}

void TipTracker::hide() {
    if (shown_) {
        shown_ = nullptr;
        sink_.hideTip();
    }
    if (timerRunning_) {
        timerRunning_ = false;
        sink_.stopTipTimer();
    }
}

} // namespace qx
