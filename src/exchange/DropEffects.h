#pragma once

#include <cstdint>

namespace qx::dropeffect {

inline constexpr std::uint32_t None = 0;
inline constexpr std::uint32_t Copy = 1;
inline constexpr std::uint32_t Move = 2;
inline constexpr std::uint32_t Link = 4;
// Added while the view scrolls by itself during a drag.
inline constexpr std::uint32_t Scroll = 0x80000000u;
// What the reference trees and the plain tree allow a drag to do.
inline constexpr std::uint32_t RefTreeAllowed = Copy | Move | Link;
inline constexpr std::uint32_t TreeAllowed = Copy | Move;

// Shift and Control together link, Control alone copies, else move.
std::uint32_t fromKeys(bool shift, bool control);
// The wanted effect when allowed; a copy or move that is not falls back to
// the other, then to a link; anything else that is not allowed is none.
std::uint32_t fit(std::uint32_t wanted, std::uint32_t allowed);

} // namespace qx::dropeffect
