#include "app/IdleDriver.h"

#include <QAbstractEventDispatcher>
#include <QTimerEvent>

namespace qx::app {

IdleDriver::IdleDriver(Pass pass, QObject* parent) : QObject(parent), pass_(std::move(pass)) {
    connect(QAbstractEventDispatcher::instance(thread()), &QAbstractEventDispatcher::aboutToBlock,
            this, &IdleDriver::aboutToBlock);
}

void IdleDriver::timerEvent(QTimerEvent* event) {
    if (event->timerId() != more_.timerId())
        return QObject::timerEvent(event);
    more_.stop();
    woken_ = true;
}

void IdleDriver::aboutToBlock() {
    // A pass that opens a dialog runs a nested loop, which is about to block in
    // its turn; idle work does not run inside its own pass.
    if (inPass_)
        return;
    if (more_.isActive())
        return; // our timer is due: the loop is not going to wait
    count_ = asked_ && woken_ ? count_ + 1 : 0;
    woken_ = false;
    inPass_ = true;
    asked_ = pass_(count_);
    inPass_ = false;
    if (asked_)
        more_.start(0, this);
}

} // namespace qx::app
