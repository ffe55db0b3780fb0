#pragma once

#include "platform/Message.h"

// Where a worker posts its messages: the user-interface side implements it
// (a Qt event to a window, or a MessageLoop in the tool and the tests). post
// never blocks and may be called from any thread; the message is handled
// later on the receiver's own thread.
namespace qx::platform {

class MessageTarget {
public:
    virtual ~MessageTarget() = default;
    // False when the receiver could not queue the message.
    virtual bool post(MessageId msg, WParam wparam, LParam lparam) = 0;
};

} // namespace qx::platform
