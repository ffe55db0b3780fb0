#pragma once

#include <cstdint>

namespace qx {

// Plain geometry of the tree view, free of any windowing library so that the
// control's logic can be exercised without drawing.
struct TreePoint {
    int x = 0;
    int y = 0;
};

struct TreeSize {
    int width = 0;
    int height = 0;
};

struct TreeRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool isEmpty() const { return right <= left || bottom <= top; }
    bool contains(TreePoint p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
};

// Style bits of the control.
namespace treestyle {
inline constexpr std::uint32_t ShowRoot = 0x01;     // root is the first row, one more indent level
inline constexpr std::uint32_t Draggable = 0x02;    // nodes may be dragged
inline constexpr std::uint32_t DropTarget = 0x04;   // drops are accepted
inline constexpr std::uint32_t Tips = 0x08;         // a tip window shows clipped labels
inline constexpr std::uint32_t Lines = 0x10;        // lines, buttons and indentation
inline constexpr std::uint32_t NoSelection = 0x20;  // nodes are never shown selected
inline constexpr std::uint32_t MultiLine = 0x100;   // labels may take several lines
inline constexpr std::uint32_t WrapLabels = 0x200;  // multi-line labels wrap at the right edge
inline constexpr std::uint32_t Reserved800 = 0x800; // accepted, no effect
inline constexpr std::uint32_t Default = ShowRoot | Draggable | Lines;
} // namespace treestyle

// Bits of a hit test result.
namespace treehit {
inline constexpr std::uint32_t Above = 0x01;
inline constexpr std::uint32_t Below = 0x02;
inline constexpr std::uint32_t Nowhere = 0x04; // inside the window, below the last row
inline constexpr std::uint32_t OnButton = 0x08;
inline constexpr std::uint32_t OnItem = 0x10;
inline constexpr std::uint32_t TopBand = 0x20;
inline constexpr std::uint32_t BottomBand = 0x40;
inline constexpr std::uint32_t ToLeft = 0x100;
inline constexpr std::uint32_t ToRight = 0x200;
inline constexpr std::uint32_t OnIndent = 0x400;
inline constexpr std::uint32_t RightOfItem = 0x800;
inline constexpr std::uint32_t OnFirstImage = 0x1000;
inline constexpr std::uint32_t OnSecondImage = 0x2000;
} // namespace treehit

enum class TreeButton { Left, Right };

struct TreeModifiers {
    bool shift = false;
    bool ctrl = false;
};

enum class TreeKey {
    Down,
    Up,
    Right,
    Left,
    PageDown,
    PageUp,
    Home,
    End,
    Add,      // numeric +
    Subtract, // numeric -
    Space,
    Escape,
};

} // namespace qx
