#pragma once

#include "model/RecoveryFiles.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace qx {

// Writes recovery files on a thread of its own, so that the interface never
// waits for the disk: it posts snapshots it took and removals, and they are
// done in the order posted. A snapshot still waiting when a newer one of the
// same document comes is dropped for it.
class RecoveryWriter {
public:
    explicit RecoveryWriter(RecoveryFiles files);
    // Does what was posted, then stops the thread.
    ~RecoveryWriter();
    RecoveryWriter(const RecoveryWriter&) = delete;
    RecoveryWriter& operator=(const RecoveryWriter&) = delete;

    void post(RecoverySnapshot snapshot);
    // Removes the document's recovery file after any write posted before.
    void discard(const std::string& document);
    // Waits until everything posted so far is done: the error of the last
    // write that failed since the previous wait, else 0.
    platform::SysError wait();

private:
    struct Task {
        RecoverySnapshot snapshot;
        bool removal = false;
    };

    void run();

    RecoveryFiles files_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Task> tasks_;
    bool busy_ = false;
    bool stopping_ = false;
    platform::SysError failure_ = 0;
    std::thread thread_;
};

} // namespace qx
