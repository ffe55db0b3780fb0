#include "platform/StatusLine.h"

#include <mutex>

namespace qx::platform {

void StatusLine::setStatusLine(std::string_view line) {
    {
        std::lock_guard guard(lock_);
        line_.assign(line);
    }
    changed_.exchange(1);
}

void StatusLine::wakeUi() {
    if (MessageTarget* target = target_.load())
        target->post(kNullMessage, 0, 0);
}

std::string StatusLine::statusLine() const {
    std::lock_guard guard(lock_);
    return line_;
}

} // namespace qx::platform
