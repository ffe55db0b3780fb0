#pragma once

#include <QColor>

class QPalette;

namespace qx {

// The colours a tree view paints with, taken from the system palette at
// creation and on every palette change. The grayed text colour and the four
// text/background pairs of the second painting mode belong to the derived
// view once it has set them; until then they follow the palette too.
class TreeViewColors {
public:
    void load(const QPalette& palette);
    void setGrayedText(const QColor& color);
    // index: 0 normal, 1 alternate, 2 selected, 3 selected and alternate.
    void setPair(int index, const QColor& text, const QColor& background);

    QColor background;
    QColor text;
    QColor selectedBackground;
    QColor selectedText;
    QColor inactiveSelectedBackground;
    QColor inactiveSelectedText;
    QColor line;
    QColor grayedText;
    QColor pairText[4];
    QColor pairBackground[4];

private:
    bool grayedSet_ = false;
    bool pairSet_[4] = {false, false, false, false};
};

} // namespace qx
