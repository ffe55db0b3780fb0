#include "model/RecoveryWriter.h"

namespace qx {

RecoveryWriter::RecoveryWriter(RecoveryFiles files)
    : files_(std::move(files)), thread_([this] { run(); }) {}

RecoveryWriter::~RecoveryWriter() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void RecoveryWriter::post(RecoverySnapshot snapshot) {
    {
        std::lock_guard lock(mutex_);
        // Only a snapshot after the document's last removal may be replaced.
        for (auto task = tasks_.rbegin(); task != tasks_.rend(); ++task) {
            if (task->snapshot.document != snapshot.document)
                continue;
            if (task->removal)
                break;
            task->snapshot = std::move(snapshot);
            return;
        }
        tasks_.push_back(Task{std::move(snapshot), false});
    }
    changed_.notify_all();
}

void RecoveryWriter::discard(const std::string& document) {
    {
        std::lock_guard lock(mutex_);
        tasks_.push_back(Task{RecoverySnapshot{document, {}}, true});
    }
    changed_.notify_all();
}

platform::SysError RecoveryWriter::wait() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return tasks_.empty() && !busy_; });
    const platform::SysError failure = failure_;
    failure_ = 0;
    return failure;
}

void RecoveryWriter::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || !tasks_.empty(); });
        if (tasks_.empty())
            return;
        Task task = std::move(tasks_.front());
        tasks_.pop_front();
        busy_ = true;
        lock.unlock();
        platform::SysError result = 0;
        if (task.removal)
            files_.remove(task.snapshot.document);
        else
            result = files_.write(task.snapshot);
        lock.lock();
        busy_ = false;
        if (result)
            failure_ = result;
        changed_.notify_all();
    }
}

} // namespace qx
