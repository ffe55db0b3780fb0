#pragma once

#include "platform/MessageTarget.h"

#include <QEvent>
#include <QObject>
#include <functional>

// The Qt side of the message layer: a worker's post becomes a custom event
// queued to this object, and the handler runs on the thread the object lives
// on (the user-interface thread) when the event loop gets to it. Queued
// events die with the object, so a message can never reach a handler that
// is gone.
namespace qx::doc {

class QtMessageTarget : public QObject, public platform::MessageTarget {
public:
    using Handler = std::function<void(platform::MessageId, platform::WParam, platform::LParam)>;

    explicit QtMessageTarget(Handler handler, QObject* parent = nullptr);

    // Thread-safe; the empty message only wakes the event loop.
    bool post(platform::MessageId msg, platform::WParam wparam, platform::LParam lparam) override;

    // The event type every posted message travels as.
    static QEvent::Type eventType();

protected:
    bool event(QEvent* e) override;

private:
    Handler handler_;
};

} // namespace qx::doc
