#pragma once

#include "net/InternetStatus.h"
#include "net/UrlTransfer.h"
#include "stream/wstreambuf.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

// A session of the Internet client: the agent and proxy every request goes
// out with, and the status callback that hears about each step. Each worker
// has its own session; the connection, name and TLS caches under them are
// shared by the whole process. No exceptions: failures are a null result or
// false, with the thread's last system error saying why.
namespace qx {

class InternetSessionCore;

namespace access {
inline constexpr std::uint32_t Preconfig = 0; // the system's set-up: the *_proxy environment
inline constexpr std::uint32_t Direct = 1;
inline constexpr std::uint32_t Proxy = 3;
} // namespace access

namespace openflag {
inline constexpr std::uint32_t Ascii = 0x1;
inline constexpr std::uint32_t Binary = 0x2;
inline constexpr std::uint32_t NoCacheWrite = 0x04000000;
inline constexpr std::uint32_t Reload = 0x80000000;
} // namespace openflag

// Option numbers of SetOption and QueryOption.
namespace option {
inline constexpr std::uint32_t ConnectTimeout = 2; // milliseconds
inline constexpr std::uint32_t ReceiveTimeout = 6; // milliseconds without a byte
inline constexpr std::uint32_t HandleType = 9;     // query only
inline constexpr std::uint32_t Url = 34;           // of an opened request only
inline constexpr std::uint32_t Proxy = 38;         // query only: the proxy text in use
inline constexpr std::uint32_t UserAgent = 41;
} // namespace option

// Kinds of handle, the answer of the HandleType option.
namespace handletype {
inline constexpr std::uint32_t Internet = 1;
inline constexpr std::uint32_t FtpFile = 7;
inline constexpr std::uint32_t GopherFile = 11;
inline constexpr std::uint32_t HttpRequest = 13;
} // namespace handletype

class CInternetSession {
public:
    // bypass and flags are accepted as the callers pass them (null and 0).
    CInternetSession(const char* agent, std::uintptr_t context = 1,
                     std::uint32_t accessType = access::Preconfig, const char* proxy = nullptr,
                     const char* bypass = nullptr, std::uint32_t flags = 0);
    virtual ~CInternetSession();
    CInternetSession(const CInternetSession&) = delete;
    CInternetSession& operator=(const CInternetSession&) = delete;

    // Closes once, from any thread: transfers still running fail at once
    // with "cancelled"; their buffers stay valid until their owners drop
    // them. Derived sessions first re-install the callback they replaced.
    virtual void Close();
    bool isopen() const;
    std::uintptr_t defaultContext() const { return defaultContext_; }

    // Opens a URL for reading. flags select exactly one transfer mode
    // (Ascii or Binary); Reload makes caches on the way revalidate. headers
    // are request header lines ending in CR LF (length -1: up to the
    // terminator). A file:// URL is read from the disk without the network.
    std::unique_ptr<wstreambuf> OpenUrl(const char* url, std::uintptr_t context = 1,
                                        std::uint32_t flags = openflag::Binary,
                                        const char* headers = nullptr,
                                        std::int32_t headersLength = -1);

    // Installs a callback and returns the one it replaced (empty: none).
    InternetStatusCallback SetStatusCallback(InternetStatusCallback callback);

    bool SetOption(std::uint32_t option, std::uint32_t value);
    bool SetOption(std::uint32_t option, const std::string& text);
    bool QueryOption(std::uint32_t option, std::uint32_t& value) const;
    bool QueryOption(std::uint32_t option, std::string& text) const;

protected:
    // Installs the session's own callback; Close re-installs the one it
    // replaced, once.
    void InstallStatusCallback(InternetStatusCallback callback);
    std::shared_ptr<InternetSessionCore> core() const;

private:
    // The core, or null with the last error set for a closed session.
    std::shared_ptr<InternetSessionCore> openCore() const;

    const std::uintptr_t defaultContext_;
    mutable std::mutex lock_;
    std::shared_ptr<InternetSessionCore> core_; // guarded by lock_; null when closed
    // Unset when there is nothing to re-install.
    std::optional<InternetStatusCallback> replaced_; // guarded by lock_
};

} // namespace qx
