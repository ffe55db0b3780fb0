#pragma once

#include <QBasicTimer>
#include <QObject>
#include <functional>

namespace qx::app {

// Runs idle passes whenever the event loop is about to wait: the queue has just
// become empty, so the first pass runs even when no input ever arrives. A pass
// answers whether it wants more time; only then a zero-time timer wakes the
// loop for the next pass, whose count goes up by one. Any other wake starts the
// count from 0 again. No timer runs while nothing asks for more, so an idle
// program sleeps.
class IdleDriver : public QObject {
    Q_OBJECT
public:
    using Pass = std::function<bool(long count)>;

    explicit IdleDriver(Pass pass, QObject* parent = nullptr);

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    void aboutToBlock();

    Pass pass_;
    QBasicTimer more_;
    long count_ = 0;
    bool asked_ = false; // the last pass wanted more time
    bool woken_ = false; // the wake came from our own timer
    bool inPass_ = false;
};

} // namespace qx::app
