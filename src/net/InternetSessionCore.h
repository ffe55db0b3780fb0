#pragma once

#include "net/InternetStatus.h"
#include "net/UrlTransfer.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

// What a session's handle stands for: its settings, its status callback and
// the transfers opened through it. Stream buffers hold it too, so a buffer
// that outlives a closed session still reports to a valid object; closing
// aborts every transfer still running, which is how a stopped worker's
// blocking read returns at once.
namespace qx {

class InternetSessionCore {
public:
    InternetSessionCore(std::string agent, std::uintptr_t defaultContext,
                        std::optional<std::string> proxy);

    std::uintptr_t defaultContext() const { return defaultContext_; }

    // Returns the callback that was installed before (empty for none).
    InternetStatusCallback setCallback(InternetStatusCallback callback);
    void emit(std::uintptr_t context, std::uint32_t status, const void* info,
              std::uint32_t length) const;

    // The request settings as they are now.
    UrlTransfer::Request request(std::string url, std::vector<std::string> headers) const;
    void setAgent(std::string agent);
    std::string agent() const;
    std::optional<std::string> proxy() const;
    void setLimits(const NetLimits& limits);
    NetLimits limits() const;

    // A transfer joins before it opens; false when the session is closed.
    bool enlist(UrlTransfer* transfer);
    void delist(UrlTransfer* transfer);
    // Aborts the transfers and refuses new ones.
    void close();

private:
    const std::uintptr_t defaultContext_;
    const std::optional<std::string> proxy_;
    mutable std::mutex lock_;
    std::shared_ptr<const InternetStatusCallback> callback_; // guarded by lock_
    std::string agent_;                                      // guarded by lock_
    NetLimits limits_;                                       // guarded by lock_
    std::vector<UrlTransfer*> transfers_;                    // guarded by lock_
    bool closed_ = false;                                    // guarded by lock_
};

} // namespace qx
