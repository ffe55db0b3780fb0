#pragma once

#include "platform/SystemError.h"
#include "workers/Thread.h"

#include <cstdint>

namespace qx {

class iwstream;
class owstream;

// A Thread that copies a stream into a file and reports the bytes it read,
// at most once per interval, with "_WM_BYTESREAD".
class ThreadBase : public Thread {
public:
    // The size of one read of CopyStream.
    static constexpr int kCopyBlock = 1024;

    enum CopyOutcome : int {
        CopyComplete = 0,
        CopyWriteError = 2,
        CopyReadError = 3,
        CopyStopped = 4,
        CopyTooLarge = 5
    };
    struct CopyResult {
        int outcome = CopyComplete;
        platform::SysError error = 0;
        std::uint32_t bytes = 0;
    };

    // intervalMs 0: no reports at all.
    ThreadBase(platform::MessageTarget* window, std::uint32_t intervalMs);

    // Counts bytes read; once the interval has passed since the last report,
    // or when called with 0 (a flush), posts the count when it is not 0.
    void Report(std::uint32_t bytes);

    // Copies the source into the target in blocks of kCopyBlock until the
    // source ends, fails or the worker is stopped. A read failure gives the
    // last system error; a short write the last system error when the target
    // failed, else 112 (disk full); a stop 1223 (cancelled), even when it made
    // a read or write fail. A failure that left no system error gives 1117 (an
    // I/O device error), never 0. A source longer than limit bytes (0: no
    // limit) ends the copy with CopyTooLarge before the excess is written.
    CopyResult CopyStream(iwstream& source, owstream& target, std::uint64_t limit = 0);

protected:
    // The last system error of a failure, never 0: a failure that left none
    // gives 1117 (an I/O device error), so that it never reads as success.
    static platform::SysError FailureCode();

private:
    const std::uint32_t interval_;
    std::uint64_t nextReport_ = 0; // tick count in ms
    std::uint32_t counted_ = 0;
};

} // namespace qx
