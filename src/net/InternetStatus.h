#pragma once

#include <cstdint>
#include <functional>

// The progress notifications of a session: a code, and information whose
// meaning depends on the code (a host name, an address, a URL, or the pair
// of 32-bit result and error of a finished request).
namespace qx {

namespace status {
inline constexpr std::uint32_t ResolvingName = 10;
inline constexpr std::uint32_t NameResolved = 11;
inline constexpr std::uint32_t ConnectingToServer = 20;
inline constexpr std::uint32_t ConnectedToServer = 21;
inline constexpr std::uint32_t SendingRequest = 30;
inline constexpr std::uint32_t RequestSent = 31;
inline constexpr std::uint32_t ReceivingResponse = 40;
inline constexpr std::uint32_t ResponseReceived = 41;
inline constexpr std::uint32_t ClosingConnection = 50;
inline constexpr std::uint32_t ConnectionClosed = 51;
inline constexpr std::uint32_t HandleCreated = 60;
inline constexpr std::uint32_t HandleClosing = 70;
inline constexpr std::uint32_t RequestComplete = 100;
inline constexpr std::uint32_t Redirect = 110;
} // namespace status

// The information of RequestComplete: exactly 8 bytes.
struct AsyncResult {
    std::uint32_t result;
    std::uint32_t error;
};
static_assert(sizeof(AsyncResult) == 8);

// Runs on the thread that drives the transfer (the worker's); it must not
// block. context is the value given to OpenUrl (the session's default for 1).
using InternetStatusCallback = std::function<void(std::uintptr_t context, std::uint32_t status,
                                                  const void* info, std::uint32_t infoLength)>;

} // namespace qx
