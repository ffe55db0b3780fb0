#include "ui/tree/TreeViewPainter.h"

#include "ui/tree/TreeViewColors.h"
#include "ui/tree/model/TreeViewModel.h"
#include "ui/tree/model/TreeViewNode.h"

#include <QPainter>
#include <QString>

#include <algorithm>

namespace qx {

namespace {
constexpr int kBoxHalf = 4; // the button box is 9 x 9
}

TreeViewPainter::TreeViewPainter(QPainter& painter, const TreeViewModel& view,
                                 const TreeViewColors& colors, Mode mode, bool focused,
                                 bool waitingForFocus)
    : p_(painter), view_(view), colors_(colors), mode_(mode), focused_(focused),
      waiting_(waitingForFocus), dots_(colors.line, Qt::Dense4Pattern) {
    // Dots are anchored to the content so that they do not crawl while scrolling.
    p_.setBrushOrigin(-view.scrollX(), -view.scrollY());
}

int TreeViewPainter::cellCentre(int depth) const {
    const int level = depth - ((view_.treeStyle() & treestyle::ShowRoot) ? 0 : 1);
    return std::max(level, 0) * view_.indentUnit() + view_.indentUnit() / 2 - view_.scrollX();
}

void TreeViewPainter::dotted(int x, int y, int width, int height) {
    if (width > 0 && height > 0)
        p_.fillRect(x, y, width, height, dots_);
}

void TreeViewPainter::lines(const TreeRow& row, const TreeZones& zones) {
    const TreeViewNode& node = *row.node;
    if (!(view_.treeStyle() & treestyle::Lines) || !node.parent())
        return;
    const int top = row.top - view_.scrollY();
    const int height = node.rowHeight();
    const int mid = top + height / 2;
    const int cx = cellCentre(row.depth);
    if (view_.walk().previous(node))
        dotted(cx, top, 1, mid - top);
    dotted(cx, mid, zones.buttonEnd - view_.scrollX() - cx, 1);
    if (node.next())
        dotted(cx, mid, 1, top + height - mid);
    int depth = row.depth - 1;
    for (const TreeViewNode* a = node.parent(); a && a->parent(); a = a->parent(), --depth) {
        if (a->next())
            dotted(cellCentre(depth), top, 1, height);
    }
}

void TreeViewPainter::button(const TreeRow& row, const TreeZones&) {
    const TreeViewNode& node = *row.node;
    if (!(view_.treeStyle() & treestyle::Lines) || !node.canExpand())
        return;
    const int cx = cellCentre(row.depth);
    const int cy = row.top - view_.scrollY() + node.rowHeight() / 2;
    const QRect box(cx - kBoxHalf, cy - kBoxHalf, 2 * kBoxHalf + 1, 2 * kBoxHalf + 1);
    p_.fillRect(box, colors_.background);
    p_.setPen(colors_.line);
    p_.drawRect(box.adjusted(0, 0, -1, -1));
    p_.setPen(colors_.text);
    p_.drawLine(cx - 2, cy, cx + 2, cy);
    if (!node.isExpanded())
        p_.drawLine(cx, cy - 2, cx, cy + 2);
}

QRect TreeViewPainter::imageRect(const TreeRow& row, int x, QSize size) const {
    const int top = row.top - view_.scrollY() + (row.node->rowHeight() - size.height()) / 2;
    return QRect(QPoint(x - view_.scrollX(), top), size);
}

void TreeViewPainter::label(const TreeRow& row) {
    const TreeViewNode& node = *row.node;
    QColor text;
    QColor back;
    if (mode_ == Mode::ColorPairs) {
        const int pair = (node.isSelected() ? 2 : 0) + (node.isAlternate() ? 1 : 0);
        text = colors_.pairText[pair];
        back = colors_.pairBackground[pair];
    } else {
        const bool selected = node.isSelected() && (focused_ || waiting_);
        text = !selected  ? colors_.text
               : focused_ ? colors_.selectedText
                          : colors_.inactiveSelectedText;
        back = !selected  ? colors_.background
               : focused_ ? colors_.selectedBackground
                          : colors_.inactiveSelectedBackground;
        if (node.isGrayed())
            text = colors_.grayedText;
    }
    const TreeRect r = view_.labelRect(row);
    const QRect box(r.left, r.top, r.width(), r.height());
    if (back != colors_.background)
        p_.fillRect(box, back);
    const std::uint32_t style = view_.treeStyle();
    const QString label = QString::fromStdString(node.label());
    p_.setPen(text);
    if (style & treestyle::MultiLine) {
        const int flags =
            Qt::AlignLeft | Qt::AlignTop | ((style & treestyle::WrapLabels) ? Qt::TextWordWrap : 0);
        p_.drawText(box.adjusted(1, 1, -1, -1), flags, label);
    } else {
        // One line at its baseline: no text layout object per row.
        p_.drawText(QPoint(box.left() + 1, box.top() + 1 + p_.fontMetrics().ascent()), label);
    }
    if (focused_ && node.hasFocus()) {
        QPen pen(colors_.text, 1, Qt::DotLine);
        p_.setPen(pen);
        p_.setBrush(Qt::NoBrush);
        p_.drawRect(box.adjusted(0, 0, -1, -1));
    }
}

} // namespace qx
