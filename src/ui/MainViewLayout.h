#pragma once

// The arithmetic of the main view's layout and of its two splitters. Free of Qt
// so that the rules can be tested on their own; the view applies the result.
namespace qx::ui {

struct Box {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    bool operator==(const Box&) const = default;
};

struct MainViewGeometry {
    int width = 0;
    int height = 0;
    int headingHeight = 0; // text height of the headings' font plus 2
    int separator1 = 600;  // first tree's share of the width, per mille
    int separator2 = 800;  // trees' share of the height below the headings, per mille
    bool threadWindowShown = false;
};

struct MainViewLayout {
    Box heading1;
    Box heading2;
    Box tree1;
    Box tree2;
    Box threadWindow; // empty when the thread window is hidden
    Box vertical;     // the splitter between the trees
    Box horizontal;   // the splitter above the thread window
    bool horizontalShown = false;
};

inline constexpr int kSplitterThickness = 4;

// a * b / c rounded to the nearest integer, halves away from zero, with a 64-bit
// intermediate; -1 when c is 0 or the result does not fit.
int mulDiv(int a, int b, int c);

MainViewLayout layOutMainView(const MainViewGeometry& g);

// The per-mille values of a released splitter, given its centre line in the
// view's coordinates; the settings clamp them when they are stored.
int separator1FromSplitter(int x, int width);
int separator2FromSplitter(int y, int headingHeight, int height);

} // namespace qx::ui
