#include "workers/ThreadBase.h"

#include "stream/iwstream.h"
#include "stream/owstream.h"
#include "workers/ThreadMessages.h"

#include <chrono>

namespace qx {

namespace {

constexpr int kFailedBits = wstream::failbit | wstream::badbit | wstream::hardbit;

std::uint64_t tickCount() {
    using namespace std::chrono;
    return static_cast<std::uint64_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

} // namespace

platform::SysError ThreadBase::FailureCode() {
    const platform::SysError code = platform::lastError();
    return code != 0 ? code : platform::err::IoDevice;
}

ThreadBase::ThreadBase(platform::MessageTarget* window, std::uint32_t intervalMs)
    : Thread(window), interval_(intervalMs) {}

void ThreadBase::Report(std::uint32_t bytes) {
    if (interval_ == 0)
        return;
    const std::uint64_t now = tickCount();
    counted_ += bytes;
    if (now <= nextReport_ && bytes != 0)
        return;
    if (counted_ != 0)
        Post(threadMessages().bytesRead, counted_);
    nextReport_ = now + interval_;
    counted_ = 0;
}

ThreadBase::CopyResult ThreadBase::CopyStream(iwstream& source, owstream& target,
                                              std::uint64_t limit) {
    CopyResult result;
    char block[kCopyBlock];
    while (IsRunning()) {
        const int n = source.read(block, kCopyBlock);
        if (source.state() & kFailedBits) {
            result.error = FailureCode();
            if (!IsRunning())
                break;
            Report(0);
            result.outcome = CopyReadError;
            return result;
        }
        if (n <= 0) {
            Report(0);
            result.outcome = CopyComplete;
            return result;
        }
        Report(static_cast<std::uint32_t>(n));
        if (limit != 0 && result.bytes + static_cast<std::uint64_t>(n) > limit) {
            Report(0);
            result.outcome = CopyTooLarge;
            return result;
        }
        if (target.write(block, n) < n) {
            result.error = (target.state() & kFailedBits) ? FailureCode() : platform::err::DiskFull;
            if (!IsRunning())
                break;
            Report(0);
            result.outcome = CopyWriteError;
            return result;
        }
        result.bytes += static_cast<std::uint32_t>(n);
    }
    result.error = platform::err::Cancelled;
    Report(0);
    result.outcome = CopyStopped;
    return result;
}

} // namespace qx
