#include "net/CurlShare.h"

#include <array>
#include <mutex>

namespace qx {

namespace {

// One lock per kind of shared data, so that a DNS lookup does not wait for
// the connection pool.
std::array<std::mutex, CURL_LOCK_DATA_LAST>& shareLocks() {
    static std::array<std::mutex, CURL_LOCK_DATA_LAST> locks;
    return locks;
}

void lockShare(CURL*, curl_lock_data data, curl_lock_access, void*) {
    shareLocks()[static_cast<std::size_t>(data)].lock();
}

void unlockShare(CURL*, curl_lock_data data, void*) {
    shareLocks()[static_cast<std::size_t>(data)].unlock();
}

CURLSH* makeShare() {
    if (curl_global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK)
        return nullptr;
    CURLSH* share = curl_share_init();
    if (!share)
        return nullptr;
    curl_share_setopt(share, CURLSHOPT_LOCKFUNC, lockShare);
    curl_share_setopt(share, CURLSHOPT_UNLOCKFUNC, unlockShare);
    curl_share_setopt(share, CURLSHOPT_SHARE, CURL_LOCK_DATA_CONNECT);
    curl_share_setopt(share, CURLSHOPT_SHARE, CURL_LOCK_DATA_DNS);
    curl_share_setopt(share, CURLSHOPT_SHARE, CURL_LOCK_DATA_SSL_SESSION);
    return share;
}

} // namespace

CURLSH* sharedCurlState() {
    // Never cleaned up: worker threads left to finish on their own at exit
    // may still hold handles that point into it.
    static CURLSH* const share = makeShare();
    return share;
}

} // namespace qx
