#include "TreeTestSupport.h"

#include <algorithm>
#include <memory>

namespace qx::test {

TreeSize FakeMeasurer::measure(std::string_view text, bool multiLine, int wrapWidth) {
    ++exactCalls;
    if (!multiLine)
        return {static_cast<int>(text.size()) * 7, 14};
    const int perLine = wrapWidth > 0 ? std::max(wrapWidth / 7, 1) : 1 << 20;
    int lines = 0;
    int widest = 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const int length = static_cast<int>(end - start);
        lines += std::max((length + perLine - 1) / perLine, 1);
        widest = std::max(widest, std::min(length, perLine) * 7);
        if (end == text.size())
            break;
        start = end + 1;
    }
    return {widest, lines * 14};
}

RecordingView::RecordingView(std::uint32_t style, int width, int height) : TreeViewModel(style) {
    setClock(fakeClock);
    setTextMeasurer(&measurer);
    setViewportSize(width, height);
}

void RecordingView::selectionChanged(TreeViewNode& node, bool on) {
    log.push_back((on ? "select " : "deselect ") + node.label());
}

void RecordingView::focusChanged(TreeViewNode* node) {
    log.push_back("focus " + (node ? node->label() : std::string("none")));
}

void RecordingView::expanding(TreeViewNode& node, bool on) {
    log.push_back((on ? "expanding " : "collapsing ") + node.label());
    if (onExpanding)
        onExpanding(node, on);
}

void RecordingView::afterCollapse(TreeViewNode& node) {
    log.push_back("collapsed " + node.label());
}

TreeViewNode* add(TreeViewNode& parent, const std::string& label) {
    return parent.append(std::make_unique<TreeViewNode>(label));
}

void addMany(TreeViewNode& parent, const std::string& prefix, int count) {
    for (int i = 0; i < count; ++i)
        add(parent, prefix + std::to_string(i));
}

std::vector<std::string> selectedLabels(const TreeViewModel& view) {
    std::vector<std::string> labels;
    for (TreeViewNode* n = view.firstSelected(); n; n = n->nextSelected())
        labels.push_back(n->label());
    return labels;
}

int rowMiddle(TreeViewModel& view, TreeViewNode& node) {
    return view.nodeTop(node) - view.scrollY() + node.rowHeight() / 2;
}

} // namespace qx::test
