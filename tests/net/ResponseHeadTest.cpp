#include "net/ResponseHead.h"

#include <gtest/gtest.h>

using qx::ResponseHead;
using Step = ResponseHead::Step;

namespace {
Step feed(ResponseHead& head, std::string_view line) {
    return head.feed(line, line.size() + 2);
}
} // namespace

TEST(ResponseHead, InterimAnswersAreSkippedAndFoldedLinesJoined) {
    ResponseHead head;
    EXPECT_EQ(feed(head, "HTTP/1.1 100 Continue"), Step::NewAnswer);
    EXPECT_EQ(feed(head, ""), Step::Interim);
    EXPECT_EQ(feed(head, "HTTP/1.1 200 OK"), Step::NewAnswer);
    EXPECT_EQ(feed(head, "content-type:  text/html;"), Step::None);
    EXPECT_EQ(feed(head, "\t charset=koi8-r "), Step::None);
    EXPECT_EQ(feed(head, "X-Empty:"), Step::None);
    EXPECT_EQ(feed(head, ""), Step::Complete);
    EXPECT_EQ(head.status(), 200);
    EXPECT_EQ(head.value("Content-Type"), "text/html; charset=koi8-r");
    EXPECT_EQ(head.value("X-Empty"), "");
    EXPECT_FALSE(head.value("Content"));
}

TEST(ResponseHead, BrokenStatusLinesGiveNoCodeAndLargeHeadsAreRefused) {
    ResponseHead head;
    for (std::string_view line : {"HTTP/1.1", "HTTP/1.1 2x0 OK", "HTTP/1.1 20"}) {
        EXPECT_EQ(feed(head, line), Step::NewAnswer);
        EXPECT_EQ(head.status(), 0);
    }
    const std::string filler = "X: " + std::string(1000, 'f');
    Step last = Step::None;
    for (int i = 0; i < 200 && last != Step::TooLarge; ++i)
        last = feed(head, filler);
    EXPECT_EQ(last, Step::TooLarge);
    // A new answer starts counting afresh.
    EXPECT_EQ(feed(head, "HTTP/1.1 404 Not Found"), Step::NewAnswer);
    EXPECT_EQ(feed(head, ""), Step::Complete);
    EXPECT_EQ(head.status(), 404);
}
