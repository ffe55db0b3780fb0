#pragma once

#include <QPalette>
#include <QPixmap>

namespace qx::ui {

// The tool bar's button images: one strip of 20 cells of 20 x 20 pixels, drawn
// in code. Outlines, faces and shadows take the palette's button colours, so the
// strip is drawn again whenever the system colours change.
class ToolbarImages {
public:
    static constexpr int kCellSize = 20;
    static constexpr int kCellCount = 20;

    // The cells, in strip order.
    enum Cell {
        NewDocument,
        OpenDocument,
        SaveDocument,
        Delete,
        Properties,
        OpenInBrowser,
        NewBrowserWindow,
        Hide,
        Unhide,
        FindInDocument,
        FindNext,
        Help,
        WebSearch,
        StopAll,
        CheckReferences,
        StopChecking,
        ThreadWindow,
        ShowInOtherTree,
        SelectFailed,
        About,
    };

    static QPixmap strip(const QPalette& palette);
    static QPixmap cell(const QPixmap& strip, int index);
};

} // namespace qx::ui
