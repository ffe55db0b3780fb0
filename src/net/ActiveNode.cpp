#include "net/ActiveNode.h"

#include "net/StatusText.h"
#include "settings/Options.h"

#include <cstring>
#include <mutex>
#include <string_view>
#include <strings.h>

namespace qx {

namespace {
// This indicator runs up to ten bars before it falls back to none.
constexpr std::uint32_t kIndicatorWrap = 10;
} // namespace

ActiveNode::ActiveNode(const Options& options, std::atomic<std::uint32_t>* statusChanged)
    : CInternetSession(kAgent, 1, options.useProxy ? access::Proxy : access::Preconfig,
                       options.useProxy ? options.proxyAdr.c_str() : nullptr),
      statusChanged_(statusChanged) {
    InstallStatusCallback([this](std::uintptr_t, std::uint32_t code, const void* info,
                                 std::uint32_t length) { OnStatus(code, info, length); });
}

ActiveNode::~ActiveNode() {
    Close();
}

void ActiveNode::OnStatus(std::uint32_t code, const void* info, std::uint32_t length) {
    const std::string text = StatusText(nullptr, counter_, kIndicatorWrap, code, info, length);
    {
        std::lock_guard guard(lock_);
        statusLine_ = Str(text);
    }
    if (statusChanged_)
        statusChanged_->exchange(1);
    if (code == status::HandleCreated)
        handleCreated_.set();
    if (code == status::Redirect) {
        static constexpr std::string_view kHttps = "https://";
        const std::string_view target(static_cast<const char*>(info),
                                      info ? strnlen(static_cast<const char*>(info), length) : 0);
        if (target.size() < kHttps.size() ||
            strncasecmp(target.data(), kHttps.data(), kHttps.size()) != 0)
            leftHttps_.store(true);
    }
}

Str ActiveNode::StatusLine() const {
    std::lock_guard guard(lock_);
    return statusLine_;
}

} // namespace qx
