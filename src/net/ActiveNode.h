#pragma once

#include "model/Node.h"
#include "net/CInternetSession.h"
#include "platform/DCriticalSection.h"
#include "platform/Event.h"
#include "stream/Str.h"

#include <atomic>
#include <cstdint>

// The session of the conditional file download, kept in a list of active
// downloads. Its own status callback keeps a status line that holds only the
// receiving indicator (no texts are installed for it) and, what matters,
// signals the handle-created event the download's start waits for.
namespace qx {

struct Options;

class ActiveNode : public Node, public CInternetSession {
public:
    // statusChanged: a flag owned by someone else, raised by atomic exchange
    // on every new line; null for none.
    ActiveNode(const Options& options, std::atomic<std::uint32_t>* statusChanged = nullptr);
    ~ActiveNode() override;

    static constexpr const char* kAgent = "Norba Seek 1.2";

    platform::Event& HandleCreated() { return handleCreated_; }
    // A copy of the line, read under the lock.
    Str StatusLine() const;
    // Whether a redirect led to an address that is not https: the module
    // update takes nothing that travelled over plain http on any hop.
    bool LeftHttps() const { return leftHttps_.load(); }

private:
    void OnStatus(std::uint32_t status, const void* info, std::uint32_t length);

    std::atomic<std::uint32_t>* statusChanged_;
    Str statusLine_;            // guarded by lock_
    std::uint32_t counter_ = 0; // touched by the transfer's thread only
    std::atomic<bool> leftHttps_{false};
    platform::Event handleCreated_;
    mutable platform::DCriticalSection lock_;
};

} // namespace qx
