#pragma once

#include <cstdint>
#include <string>

namespace qx::platform {

// Appends the UTF-8 form of a code point: one to four bytes; "?" for a value
// beyond U+10FFFF. Code point 0 appends nothing (texts end there).
void appendUtf8(std::string& out, std::uint64_t cp);

} // namespace qx::platform
