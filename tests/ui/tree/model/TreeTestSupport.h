#pragma once

#include "ui/tree/model/Clock.h"
#include "ui/tree/model/TextMeasurer.h"
#include "ui/tree/model/TreeViewModel.h"
#include "ui/tree/model/TreeViewNode.h"
#include "ui/tree/model/TreeViewRoot.h"

#include <functional>
#include <string>
#include <vector>

namespace qx::test {

// Fixed pitch: every byte is 7 pixels wide, a line is 14 high (so rows and the
// indent unit are 16).
class FakeMeasurer : public TextMeasurer {
public:
    int charHeight() const override { return height; }
    int averageCharWidth() const override { return 7; }
    TreeSize measure(std::string_view text, bool multiLine, int wrapWidth) override;

    int exactCalls = 0;
    // Rows are this plus the label margin high (16 by default).
    int height = 14;
};

class FakeClock : public Clock {
public:
    std::int64_t nowMs() const override { return now; }
    std::int64_t now = 1000;
};

// A tree view without a window that records what it tells a derived view.
class RecordingView : public TreeViewModel {
public:
    explicit RecordingView(std::uint32_t style, int width = 200, int height = 160);

    std::vector<std::string> log;
    int drags = 0;
    TreeViewNode* refused = nullptr;
    std::function<void(TreeViewNode&, bool)> onExpanding;

    FakeMeasurer measurer;
    FakeClock fakeClock;

protected:
    bool canSelect(TreeViewNode& node) override { return &node != refused; }
    void selectionChanged(TreeViewNode& node, bool on) override;
    void focusChanged(TreeViewNode* node) override;
    void expanding(TreeViewNode& node, bool on) override;
    void afterCollapse(TreeViewNode& node) override;
    void beginDrag() override { ++drags; }
};

TreeViewNode* add(TreeViewNode& parent, const std::string& label);
// count children labelled prefix0, prefix1, ...
void addMany(TreeViewNode& parent, const std::string& prefix, int count);
// Labels of the selected nodes, in selection order.
std::vector<std::string> selectedLabels(const TreeViewModel& view);
// Window y of the middle of node's row.
int rowMiddle(TreeViewModel& view, TreeViewNode& node);

} // namespace qx::test
