#pragma once

#include <cstdint>
#include <string_view>

// Window messages between threads. A message is a number plus two words; the
// numbers of named messages are handed out at run time, once per name for the
// whole process, so that a worker and the window that handles its messages
// agree without a shared table.
namespace qx::platform {

using MessageId = std::uint32_t;
using WParam = std::uintptr_t;
using LParam = std::intptr_t;

// The empty message: handled by nobody, it only wakes the receiving thread so
// that its idle processing runs.
inline constexpr MessageId kNullMessage = 0;
// Registered numbers start here and never collide with fixed ones below it.
inline constexpr MessageId kFirstRegisteredMessage = 0xC000;

// The number for a name: the same name always gives the same number in this
// process, different names different numbers. 0 for an empty name.
MessageId registerMessage(std::string_view name);

} // namespace qx::platform
