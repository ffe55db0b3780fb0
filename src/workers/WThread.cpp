#include "workers/WThread.h"

namespace qx {

WThread::WThread(platform::MessageTarget* window) : Thread(window) {}

bool WThread::Start(int priority) {
    if (!Thread::Start())
        return false;
    const platform::Event* ends[] = {&startedEvent(), &DoneEvent()};
    platform::waitForAny(ends, 2, kStartWaitMs);
    SetPriority(priority);
    return true;
}

void WThread::wakeUi() {
    Post(platform::kNullMessage, 0);
}

} // namespace qx
