#pragma once

#include "platform/Message.h"

namespace qx {

// The numbers of the messages by which workers report to the window that
// started them, registered by name once per process.
struct ThreadMessages {
    // "_WM_THREADEND": the worker's last act; wParam 0 for a search, 1 for a
    // check or download; lParam the worker.
    platform::MessageId end;
    // "_WM_THREADPAGE": a search worker put the first item into its empty
    // result queue; lParam the worker.
    platform::MessageId page;
    // "_WM_BYTESREAD": wParam the bytes read since the last report.
    platform::MessageId bytesRead;
};

const ThreadMessages& threadMessages();

} // namespace qx
