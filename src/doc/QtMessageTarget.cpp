#include "doc/QtMessageTarget.h"

#include <QCoreApplication>

namespace qx::doc {

namespace {

class MessageEvent : public QEvent {
public:
    MessageEvent(platform::MessageId msg, platform::WParam wparam, platform::LParam lparam)
        : QEvent(QtMessageTarget::eventType()), msg(msg), wparam(wparam), lparam(lparam) {}
    const platform::MessageId msg;
    const platform::WParam wparam;
    const platform::LParam lparam;
};

} // namespace

QtMessageTarget::QtMessageTarget(Handler handler, QObject* parent)
    : QObject(parent), handler_(std::move(handler)) {}

QEvent::Type QtMessageTarget::eventType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

bool QtMessageTarget::post(platform::MessageId msg, platform::WParam wparam,
                           platform::LParam lparam) {
    QCoreApplication::postEvent(this, new MessageEvent(msg, wparam, lparam));
    return true;
}

bool QtMessageTarget::event(QEvent* e) {
    if (e->type() != eventType())
        return QObject::event(e);
    const auto* m = static_cast<MessageEvent*>(e);
    if (handler_ && m->msg != platform::kNullMessage)
        handler_(m->msg, m->wparam, m->lparam);
    return true;
}

} // namespace qx::doc
