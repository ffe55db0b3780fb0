#include "exchange/ExchangeFormats.h"
#include "platform/FileSystem.h"

#include <gtest/gtest.h>

namespace qx::exchange {
namespace {

TEST(ExchangeFormats, PrivateFormatNamesTheProcess) {
    EXPECT_EQ(privateFormat(0xABC12), "application/x-tree-view-data-ABC12");
    EXPECT_EQ(ownPrivateFormat(), privateFormat(platform::processId()));
    // Another process of ours offers a private format, but not this one's.
    const std::string other = privateFormat(platform::processId() + 1);
    EXPECT_TRUE(isPrivateFormat(other));
    EXPECT_NE(other, ownPrivateFormat());
}

TEST(ExchangeFormats, PasteTakesTheFirstKnownFormat) {
    const std::vector<std::string> both = {std::string(kText), std::string(kOrganizer)};
    EXPECT_EQ(pasteFormat(both), kOrganizer);
    const std::vector<std::string> urlOnly = {"image/png", std::string(kUriList)};
    EXPECT_EQ(pasteFormat(urlOnly), kUriList);
    EXPECT_EQ(pasteFormat({}), "");
}

TEST(ExchangeFormats, EnumeratorHandsOutWhatIsLeftAndSaysWhenItRanShort) {
    const std::vector<std::string> formats = {"a", "b", "c"};
    FormatEnumerator walk(formats);
    std::string got[4];
    std::size_t fetched = 9;
    EXPECT_EQ(walk.next(2, got, &fetched), FormatEnumerator::Ok);
    EXPECT_EQ(fetched, 2u);
    EXPECT_EQ(got[1], "b");
    // Nowhere to put them: nothing is handed out, the walk stays where it was.
    EXPECT_EQ(walk.next(1, nullptr, nullptr), FormatEnumerator::InvalidArg);
    EXPECT_EQ(walk.next(4, got, &fetched), FormatEnumerator::False);
    EXPECT_EQ(fetched, 1u);
    EXPECT_EQ(got[0], "c");
}

} // namespace
} // namespace qx::exchange
