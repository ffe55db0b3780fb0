#include "BoardFixture.h"
#include "Eventually.h"

#include <chrono>

namespace qx::test {

BoardFixture::BoardFixture() : profile_(dir_.file("qxseek.INI")) {
    options_.maxThreads = 4;
    board_ = std::make_unique<JobBoard>(options_, profile_, waits_, &loop_);
    board_->SetSearchJobs(&searches_);
    board_->SetCheckJobs(&checks_);
    board_->SetRows(&rows_);
    loop_.setHandler(
        [this](platform::MessageId msg, platform::WParam wparam, platform::LParam lparam) {
            board_->HandleMessage(msg, wparam, lparam);
        });
}

BoardFixture::~BoardFixture() {
    control_.gate.set();
    board_.reset();
}

bool BoardFixture::pumpUntil(const std::function<bool()>& done) {
    return eventually([&] {
        if (done())
            return true;
        loop_.runFor(5);
        return done();
    });
}

bool BoardFixture::finishAll() {
    control_.gate.set();
    return pumpUntil([this] { return board_->Threads().empty(); });
}

} // namespace qx::test
