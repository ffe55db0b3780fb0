#include "workers/ThreadMessages.h"

namespace qx {

const ThreadMessages& threadMessages() {
    static const ThreadMessages messages{
        platform::registerMessage("_WM_THREADEND"),
        platform::registerMessage("_WM_THREADPAGE"),
        platform::registerMessage("_WM_BYTESREAD"),
    };
    return messages;
}

} // namespace qx
