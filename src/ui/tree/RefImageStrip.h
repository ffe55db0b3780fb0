#pragma once

#include <QPixmap>
#include <QRect>

namespace qx {

// The one image strip of the reference trees, drawn by the program itself:
// kind images of 16 x 16 at (16 k, 17 r), row 0 for pages confirmed by the
// web and row 1 (paler) for the others; status images of 10 x 16 at (10 s, 34).
class RefImageStrip {
public:
    static constexpr int kKindSize = 16;
    static constexpr int kRowPitch = 17;
    static constexpr int kStatusWidth = 10;
    static constexpr int kStatusTop = 34;

    static const QPixmap& pixmap();
    static QRect kindCell(int column, int row) {
        return QRect(kKindSize * column, kRowPitch * row, kKindSize, kKindSize);
    }
    static QRect statusCell(int column) {
        return QRect(kStatusWidth * column, kStatusTop, kStatusWidth, kKindSize);
    }

private:
    static QPixmap draw();
};

} // namespace qx
