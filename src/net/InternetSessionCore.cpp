#include "net/InternetSessionCore.h"

#include <algorithm>

namespace qx {

InternetSessionCore::InternetSessionCore(std::string agent, std::uintptr_t defaultContext,
                                         std::optional<std::string> proxy)
    : defaultContext_(defaultContext), proxy_(std::move(proxy)), agent_(std::move(agent)) {}

InternetStatusCallback InternetSessionCore::setCallback(InternetStatusCallback callback) {
    auto next =
        callback ? std::make_shared<const InternetStatusCallback>(std::move(callback)) : nullptr;
    std::lock_guard guard(lock_);
    std::swap(callback_, next);
    return next ? *next : InternetStatusCallback();
}

void InternetSessionCore::emit(std::uintptr_t context, std::uint32_t status, const void* info,
                               std::uint32_t length) const {
    std::shared_ptr<const InternetStatusCallback> callback;
    {
        std::lock_guard guard(lock_);
        callback = callback_;
    }
    // Called outside the lock: the callback takes the worker's own lock.
    if (callback)
        (*callback)(context, status, info, length);
}

UrlTransfer::Request InternetSessionCore::request(std::string url,
                                                  std::vector<std::string> headers) const {
    UrlTransfer::Request request;
    request.url = std::move(url);
    request.headers = std::move(headers);
    request.proxy = proxy_;
    std::lock_guard guard(lock_);
    request.agent = agent_;
    request.limits = limits_;
    return request;
}

void InternetSessionCore::setAgent(std::string agent) {
    std::lock_guard guard(lock_);
    agent_ = std::move(agent);
}

std::string InternetSessionCore::agent() const {
    std::lock_guard guard(lock_);
    return agent_;
}

std::optional<std::string> InternetSessionCore::proxy() const {
    return proxy_;
}

void InternetSessionCore::setLimits(const NetLimits& limits) {
    std::lock_guard guard(lock_);
    limits_ = limits;
}

NetLimits InternetSessionCore::limits() const {
    std::lock_guard guard(lock_);
    return limits_;
}

bool InternetSessionCore::enlist(UrlTransfer* transfer) {
    std::lock_guard guard(lock_);
    if (closed_)
        return false;
    transfers_.push_back(transfer);
    return true;
}

void InternetSessionCore::delist(UrlTransfer* transfer) {
    std::lock_guard guard(lock_);
    transfers_.erase(std::remove(transfers_.begin(), transfers_.end(), transfer), transfers_.end());
}

void InternetSessionCore::close() {
    std::lock_guard guard(lock_);
    closed_ = true;
    for (UrlTransfer* transfer : transfers_)
        transfer->abort();
}

} // namespace qx
