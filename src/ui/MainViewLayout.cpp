#include "ui/MainViewLayout.h"

#include <cstdint>
#include <limits>

namespace qx::ui {

int mulDiv(int a, int b, int c) {
    if (c == 0)
        return -1;
    std::int64_t product = static_cast<std::int64_t>(a) * b;
    std::int64_t half = (c < 0 ? -static_cast<std::int64_t>(c) : c) / 2;
    bool negative = (product < 0) != (c < 0);
    std::int64_t magnitude = (product < 0 ? -product : product) + half;
    std::int64_t quotient = magnitude / (c < 0 ? -static_cast<std::int64_t>(c) : c);
    if (negative)
        quotient = -quotient;
    if (quotient > std::numeric_limits<int>::max() || quotient < std::numeric_limits<int>::min())
        return -1;
    return static_cast<int>(quotient);
}

MainViewLayout layOutMainView(const MainViewGeometry& g) {
    MainViewLayout out;
    const int W = g.width;
    const int H = g.height;
    const int h = g.headingHeight;
    const int w = g.separator1 * W / 1000;
    const int half = kSplitterThickness / 2;

    out.heading1 = {0, 0, w, h};
    out.heading2 = {w, 0, W - w, h};

    int t = 0;
    if (g.threadWindowShown) {
        t = H - h - mulDiv(g.separator2, H - h, 1000);
        out.threadWindow = {0, H - t, W, t};
        out.horizontal = {0, H - t - half, W, kSplitterThickness};
        out.horizontalShown = true;
    }
    out.tree1 = {0, h, w, H - t - h};
    out.tree2 = {w, h, W - w, H - t - h};
    out.vertical = {w - half, 0, kSplitterThickness, H - t};
    return out;
}

int separator1FromSplitter(int x, int width) {
    return width > 0 ? static_cast<int>(static_cast<std::int64_t>(x) * 1000 / width) : 0;
}

int separator2FromSplitter(int y, int headingHeight, int height) {
    return headingHeight + 2 < height
               ? mulDiv(y - headingHeight - 2, 1000, height - headingHeight - 2)
               : 500;
}

} // namespace qx::ui
