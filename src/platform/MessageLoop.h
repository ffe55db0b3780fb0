#pragma once

#include "platform/MessageTarget.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

// A message queue and its loop for the programs without windows (the
// headless tool, the tests). Like a window's loop it hands each message to a
// handler and, each time the queue runs empty, runs an idle step, again as
// long as that step asks for more time.
namespace qx::platform {

class MessageLoop : public MessageTarget {
public:
    using Handler = std::function<void(MessageId, WParam, LParam)>;
    // Answers true when it wants to run again before the loop sleeps.
    using IdleStep = std::function<bool()>;

    MessageLoop() = default;
    MessageLoop(const MessageLoop&) = delete;
    MessageLoop& operator=(const MessageLoop&) = delete;

    void setHandler(Handler handler) { handler_ = std::move(handler); }
    void setIdleStep(IdleStep idle) { idle_ = std::move(idle); }

    bool post(MessageId msg, WParam wparam, LParam lparam) override;
    // Ends run() after the message being handled; from any thread.
    void quit();

    // Handles messages and idle steps until quit.
    void run();
    // Like run, but gives up after timeoutMs; true when quit ended it.
    bool runFor(int timeoutMs);
    // Handles what is queued now and runs the idle step once; never waits.
    void processPending();

private:
    struct Message {
        MessageId msg;
        WParam wparam;
        LParam lparam;
    };
    bool dispatchOne();
    bool runIdle();

    Handler handler_;
    IdleStep idle_;
    std::mutex lock_;
    std::condition_variable wake_;
    std::deque<Message> queue_; // guarded by lock_
    bool quit_ = false;         // guarded by lock_
};

} // namespace qx::platform
