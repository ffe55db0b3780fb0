#pragma once

#include "stream/Str.h"
#include "workers/WThread.h"

#include <string>

namespace qx {

class CheckNode;

// What the job board knows of a worker that checks one address: the address
// and its node in the check list. The checker derives its worker from this.
class CheckWorker : public WThread {
public:
    CheckWorker(platform::MessageTarget* window, const Str& url, CheckNode* node)
        : WThread(window), url_(url), node_(node) {}

    // Written before the start, then only read: the worker's thread may read it.
    const Str& Url() const { return url_; }
    // Null once the check list no longer holds the node; only the
    // user-interface thread reads and writes it.
    CheckNode* Node() const { return node_; }
    void ForgetNode() { node_ = nullptr; }
    // The host its check counts against; set by the board before the start.
    const std::string& HostKey() const { return hostKey_; }
    void SetHostKey(std::string key) { hostKey_ = std::move(key); }

private:
    std::string hostKey_;
    const Str url_;
    CheckNode* node_;
};

} // namespace qx
