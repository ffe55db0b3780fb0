#include "workers/WThread.h"

namespace qx {

WThread::WThread(platform::MessageTarget* window) : Thread(window) {}

bool WThread::Start(int priority) {
    return StartAndWait(startedEvent(), priority);
}

void WThread::wakeUi() {
    Post(platform::kNullMessage, 0);
}

} // namespace qx
