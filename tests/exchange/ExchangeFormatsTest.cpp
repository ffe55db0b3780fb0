#include "exchange/ExchangeFormats.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace qx::exchange {
namespace {

TEST(ExchangeFormats, PrivateFormatNamesTheProcess) {
    EXPECT_EQ(privateFormat(0xABC12), "application/x-tree-view-data-ABC12");
    EXPECT_EQ(ownPrivateFormat(), privateFormat(static_cast<std::uint32_t>(::getpid())));
    // Another process of ours offers a private format, but not this one's.
    const std::string other = privateFormat(static_cast<std::uint32_t>(::getpid()) + 1);
    EXPECT_TRUE(isPrivateFormat(other));
    EXPECT_NE(other, ownPrivateFormat());
    EXPECT_FALSE(urlDragAnswers(other));
}

TEST(ExchangeFormats, UrlDragOffersItsFormatsInOrderAndAnswersSome) {
    const std::vector<std::string> formats = urlDragFormats();
    ASSERT_GE(formats.size(), 5u);
    EXPECT_EQ(formats[0], ownPrivateFormat());
    EXPECT_EQ(formats[1], kUriList);
    EXPECT_EQ(formats[2], kMozUrl);
    EXPECT_EQ(formats[3], kText);
    EXPECT_EQ(formats[4], kShortcut);
    EXPECT_TRUE(urlDragAnswers(kMozUrl));
    EXPECT_FALSE(urlDragAnswers(kShortcut));
}

TEST(ExchangeFormats, PasteTakesTheFirstKnownFormat) {
    const std::vector<std::string> both = {std::string(kText), std::string(kOrganizer)};
    EXPECT_EQ(pasteFormat(both), kOrganizer);
    const std::vector<std::string> urlOnly = {"image/png", std::string(kUriList)};
    EXPECT_EQ(pasteFormat(urlOnly), kUriList);
    EXPECT_EQ(pasteFormat({}), "");
}

TEST(ExchangeFormats, EnumeratorWalksAndCloneStartsAtTheFirstFormat) {
    const std::vector<std::string> formats = {"a", "b", "c"};
    FormatEnumerator walk(formats);
    std::string got[4];
    std::size_t fetched = 9;
    EXPECT_EQ(walk.next(2, got, &fetched), FormatEnumerator::Ok);
    EXPECT_EQ(fetched, 2u);
    EXPECT_EQ(got[1], "b");
    EXPECT_EQ(walk.next(1, nullptr, nullptr), FormatEnumerator::InvalidArg);

    const std::unique_ptr<FormatEnumerator> copy = walk.clone();
    EXPECT_EQ(copy->next(1, got, nullptr), FormatEnumerator::Ok);
    EXPECT_EQ(got[0], "a");

    EXPECT_EQ(walk.next(4, got, &fetched), FormatEnumerator::False);
    EXPECT_EQ(fetched, 1u);
    EXPECT_EQ(got[0], "c");
    walk.reset();
    EXPECT_EQ(walk.skip(3), FormatEnumerator::Ok);
    EXPECT_EQ(walk.skip(1), FormatEnumerator::False);
}

} // namespace
} // namespace qx::exchange
