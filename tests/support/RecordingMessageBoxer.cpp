#include "RecordingMessageBoxer.h"

namespace qx::test {

int RecordingMessageBoxer::show(const std::string& text, const std::string& caption,
                                unsigned style) {
    boxes_.push_back({text, caption, style});
    if (answers_.empty())
        return mb::IdOk;
    int answer = answers_.front();
    answers_.pop_front();
    return answer;
}

} // namespace qx::test
