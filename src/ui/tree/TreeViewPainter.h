#pragma once

#include "ui/tree/model/TreeLayout.h"

#include <QBrush>
#include <QColor>

class QPainter;

namespace qx {

class TreeViewColors;
class TreeViewModel;

// The pieces of a row as the plain control draws them, in window coordinates.
class TreeViewPainter {
public:
    enum class Mode { Default, ColorPairs };

    TreeViewPainter(QPainter& painter, const TreeViewModel& view, const TreeViewColors& colors,
                    Mode mode, bool focused, bool waitingForFocus = false);

    // Connecting lines through the button cells of the row and its ancestors.
    void lines(const TreeRow& row, const TreeZones& zones);
    // The boxed plus or minus of an expandable node.
    void button(const TreeRow& row, const TreeZones& zones);
    // Where an image of the row goes: at content x, centred in the row's height.
    QRect imageRect(const TreeRow& row, int x, QSize size) const;
    // The label in the state's colours, and the focus rectangle.
    void label(const TreeRow& row);

private:
    int cellCentre(int depth) const;
    void dotted(int x, int y, int width, int height);

    QPainter& p_;
    const TreeViewModel& view_;
    const TreeViewColors& colors_;
    Mode mode_;
    bool focused_;
    // The control will have the focus again when its window is active (a
    // modeless dialog of its window is): the selection shows, in the
    // inactive colours, so that what the dialog found can be seen.
    bool waiting_;
    QBrush dots_;
};

} // namespace qx
