#include "workers/WThread.h"

namespace qx {

WThread::WThread(platform::MessageTarget* window) : Thread(window) {}

void WThread::wakeUi() {
    Post(platform::kNullMessage, 0);
}

} // namespace qx
