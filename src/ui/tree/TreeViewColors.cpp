#include "ui/tree/TreeViewColors.h"

#include <QPalette>

namespace qx {

void TreeViewColors::load(const QPalette& palette) {
    background = palette.color(QPalette::Active, QPalette::Base);
    text = palette.color(QPalette::Active, QPalette::Text);
    selectedBackground = palette.color(QPalette::Active, QPalette::Highlight);
    selectedText = palette.color(QPalette::Active, QPalette::HighlightedText);
    inactiveSelectedBackground = palette.color(QPalette::Inactive, QPalette::Highlight);
    inactiveSelectedText = palette.color(QPalette::Inactive, QPalette::HighlightedText);
    line = palette.color(QPalette::Active, QPalette::Mid);
    if (!grayedSet_)
        grayedText = palette.color(QPalette::Disabled, QPalette::Text);
    const QColor defaults[4][2] = {
        {text, background},
        {text, palette.color(QPalette::Active, QPalette::AlternateBase)},
        {selectedText, selectedBackground},
        {selectedText, selectedBackground.darker(115)},
    };
    for (int i = 0; i < 4; ++i) {
        if (!pairSet_[i]) {
            pairText[i] = defaults[i][0];
            pairBackground[i] = defaults[i][1];
        }
    }
}

void TreeViewColors::setGrayedText(const QColor& color) {
    grayedText = color;
    grayedSet_ = true;
}

void TreeViewColors::setPair(int index, const QColor& textColor, const QColor& backgroundColor) {
    if (index < 0 || index > 3)
        return;
    pairText[index] = textColor;
    pairBackground[index] = backgroundColor;
    pairSet_[index] = true;
}

} // namespace qx
