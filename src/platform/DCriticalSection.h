#pragma once

#include <mutex>

// The lock that guards a worker's shared fields. It is a plain mutex with the
// lock/unlock pair std::lock_guard expects, so a guarded block reads
// `std::lock_guard guard(lock);`. Not recursive: a holder never re-enters.
namespace qx::platform {

class DCriticalSection {
public:
    DCriticalSection() = default;
    DCriticalSection(const DCriticalSection&) = delete;
    DCriticalSection& operator=(const DCriticalSection&) = delete;

    void lock() { mutex_.lock(); }
    void unlock() { mutex_.unlock(); }
    bool try_lock() { return mutex_.try_lock(); }

private:
    std::mutex mutex_;
};

} // namespace qx::platform
