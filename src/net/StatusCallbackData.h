#pragma once

#include "stream/Str.h"

#include <cstdint>

// The context of every request of a check worker: where its status lines go
// and what they start with.
namespace qx {

class Language;
namespace platform {
class StatusSink;
}

struct StatusCallbackData {
    platform::StatusSink* worker = nullptr;
    // Text 9242 followed by the URL being checked.
    Str prefix;
    std::uint32_t counter = 0; // the receiving indicator
    // Where the texts come from; the lines stop when it is released.
    const Language* language = nullptr;
};

// The check worker's status callback (also handed to the search module):
// context is a StatusCallbackData. Formats the notification, stores
// "prefix: text" as the worker's status line, signals its started event on
// HandleCreated and wakes the user-interface thread. Does nothing while the
// language module is not loaded, nor for the default context 1 (or 0).
void CheckStatusCallback(std::uintptr_t context, std::uint32_t code, const void* info,
                         std::uint32_t length);

} // namespace qx
