#pragma once

#include "lang/MessageBoxer.h"

#include <deque>
#include <string>
#include <vector>

namespace qx::test {

// A message-box stand-in: records every box and answers from a queue of
// answers (mb::IdOk when the queue is empty).
class RecordingMessageBoxer : public MessageBoxer {
public:
    struct Box {
        std::string text;
        std::string caption;
        unsigned style = 0;
    };

    int show(const std::string& text, const std::string& caption, unsigned style) override;

    void answerNext(int answer) { answers_.push_back(answer); }
    const std::vector<Box>& boxes() const { return boxes_; }

private:
    std::vector<Box> boxes_;
    std::deque<int> answers_;
};

} // namespace qx::test
