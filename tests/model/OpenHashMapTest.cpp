#include "model/OpenHashMap.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <random>
#include <unordered_map>
#include <vector>

namespace qx {
namespace {

// Random sets, replacements and removals against the standard map, checked
// whole after every step while small and every few hundred steps after, so
// that the shift-back removal is seen at every table size, wrapping round the
// end of the table included.
template <class Key>
void agreesWithTheStandardMap(const std::vector<Key>& keys, std::uint32_t seed) {
    OpenHashMap<Key, const int*> map;
    std::unordered_map<Key, const int*> truth;
    std::vector<int> values(8);
    std::mt19937 random(seed);
    for (int step = 0; step < 40000; ++step) {
        const Key key = keys[random() % keys.size()];
        const int* value = &values[random() % values.size()];
        switch (random() % 4) {
        case 0:
        case 1:
            EXPECT_TRUE(map.set(key, value));
            truth[key] = value;
            break;
        case 2: {
            const auto it = truth.find(key);
            EXPECT_EQ(map.exchange(key, value), it == truth.end() ? nullptr : it->second);
            truth[key] = value;
            break;
        }
        default:
            map.erase(key);
            truth.erase(key);
        }
        ASSERT_EQ(map.size(), truth.size());
        if (step < 2000 || step % 500 == 0) {
            for (const Key k : keys) {
                const auto it = truth.find(k);
                ASSERT_EQ(map.find(k), it == truth.end() ? nullptr : it->second) << step;
            }
        }
    }
}

TEST(OpenHashMap, PointerKeysAgreeWithTheStandardMap) {
    // Objects side by side, as a load makes them, and a few far apart.
    auto block = std::make_unique<char[]>(64 * 1024);
    std::vector<const char*> keys;
    for (int i = 0; i < 3000; ++i) {
        keys.push_back(block.get() + i * 16 + (i % 3) * 8);
    }
    for (int i = 0; i < 40; ++i) {
        keys.push_back(block.get() + 60 * 1024 + i * 24);
    }
    agreesWithTheStandardMap<const char*>(keys, 1);
}

TEST(OpenHashMap, IntegerKeysAgreeWithTheStandardMap) {
    std::vector<std::uint32_t> keys;
    for (std::uint32_t i = 0; i < 700; ++i) {
        keys.push_back(i);               // nearby numbers
        keys.push_back(i * 0x10000u);    // equal low bits
        keys.push_back(0xFFFFFFFFu - i); // the top of the range
    }
    agreesWithTheStandardMap<std::uint32_t>(keys, 2);
}

TEST(OpenHashMap, ReservedRoomKeepsWhatIsHeldAndNullIsNeverStored) {
    OpenHashMap<std::uint32_t, const int*> map;
    int value = 0;
    EXPECT_EQ(map.find(7), nullptr);
    map.erase(7);
    EXPECT_FALSE(map.set(7, nullptr));
    EXPECT_EQ(map.exchange(7, nullptr), nullptr);
    EXPECT_EQ(map.size(), 0u);
    for (std::uint32_t i = 1; i <= 100; ++i) {
        map.set(i, &value);
    }
    map.reserve(100000);
    for (std::uint32_t i = 1; i <= 100; ++i) {
        ASSERT_EQ(map.find(i), &value);
    }
    EXPECT_EQ(map.find(0), nullptr);
    map.clear();
    EXPECT_EQ(map.size(), 0u);
    EXPECT_EQ(map.find(1), nullptr);
}

} // namespace
} // namespace qx
