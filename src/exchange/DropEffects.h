#pragma once

#include <cstdint>

namespace qx::dropeffect {

inline constexpr std::uint32_t None = 0;
inline constexpr std::uint32_t Copy = 1;
inline constexpr std::uint32_t Move = 2;
inline constexpr std::uint32_t Link = 4;
// What a reference tree's drag allows.
inline constexpr std::uint32_t RefTreeAllowed = Copy | Move | Link;

// Shift and Control together link, Control alone copies, else move.
std::uint32_t fromKeys(bool shift, bool control);
// The wanted effect when allowed; a copy or move that is not falls back to
// the other, then to a link; anything else that is not allowed is none.
std::uint32_t fit(std::uint32_t wanted, std::uint32_t allowed);

} // namespace qx::dropeffect
