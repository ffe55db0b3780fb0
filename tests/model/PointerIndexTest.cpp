#include "model/PointerIndex.h"

#include <gtest/gtest.h>

#include <vector>

namespace qx {
namespace {

TEST(PointerIndex, KeepsTheFirstValueOfEachKeyThroughGrowth) {
    std::vector<int> slots(10000);
    PointerIndex index;
    EXPECT_EQ(index.find(&slots[0]), 0);
    for (std::size_t i = 0; i < slots.size(); ++i) {
        const PointerIndex::Result r = index.insert(&slots[i], static_cast<std::uint32_t>(i + 1));
        ASSERT_TRUE(r.added);
        ASSERT_EQ(r.value, i + 1);
    }
    EXPECT_EQ(index.size(), slots.size());
    for (std::size_t i = 0; i < slots.size(); ++i) {
        ASSERT_EQ(index.find(&slots[i]), i + 1);
    }
    const PointerIndex::Result again = index.insert(&slots[7], 999);
    EXPECT_FALSE(again.added);
    EXPECT_EQ(again.value, 8);
    int outsider = 0;
    EXPECT_EQ(index.find(&outsider), 0);
    EXPECT_EQ(index.insert(nullptr, 5).value, 0);
    EXPECT_EQ(index.find(nullptr), 0);
    index.clear();
    EXPECT_EQ(index.size(), 0u);
    EXPECT_EQ(index.find(&slots[7]), 0);
    EXPECT_TRUE(index.insert(&slots[7], 3).added);
}

TEST(PointerIndex, ReservingKeepsWhatIsHeld) {
    std::vector<int> slots(1000);
    PointerIndex index;
    index.insert(&slots[0], 1);
    index.insert(&slots[1], 2);
    index.reserve(slots.size());
    index.reserve(3);
    EXPECT_EQ(index.size(), 2u);
    EXPECT_EQ(index.find(&slots[0]), 1u);
    EXPECT_EQ(index.find(&slots[1]), 2u);
    for (std::size_t i = 2; i < slots.size(); ++i) {
        ASSERT_TRUE(index.insert(&slots[i], static_cast<std::uint32_t>(i + 1)).added);
    }
    for (std::size_t i = 0; i < slots.size(); ++i) {
        ASSERT_EQ(index.find(&slots[i]), i + 1);
    }
}

} // namespace
} // namespace qx
