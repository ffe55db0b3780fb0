#pragma once

#include <cstddef>
#include <string>

namespace qx::platform {

// Cuts a text to at most maxBytes bytes. A cut never splits a UTF-8 sequence:
// an incomplete sequence at the cut is dropped whole, so that a value read back
// into a limited buffer is still valid text.
void limitText(std::string& text, std::size_t maxBytes);

} // namespace qx::platform
