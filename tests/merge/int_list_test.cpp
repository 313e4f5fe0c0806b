#include "merge/int_list.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>
#include <vector>

#include "base/error.hpp"
#include "fixtures/expect_error.hpp"

namespace velquist {
namespace {

// The list as a plain vector answers: linear scans from the front.
struct TPlainList {
    std::vector<std::int32_t> values;
    std::int32_t IndexOf(std::int32_t value) const {
        const auto found = std::find(values.begin(), values.end(), value);
        return found == values.end() ? -1 : static_cast<std::int32_t>(found - values.begin());
    }
};

TEST(IntList, KeepsInsertionOrderAndDuplicatesAndFindsTheFirst) {
    TIntList list;
    for (const std::int32_t value : {7, -3, 7, 0}) list.Add(value);
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Items(0).Value, 7);
    EXPECT_EQ(list.Items(1).Value, -3);
    EXPECT_EQ(list.Items(2).Value, 7);
    EXPECT_EQ(list.IndexOf(7), 0);
    EXPECT_EQ(list.IndexOf(0), 3);
    EXPECT_EQ(list.IndexOf(5), -1);
    EXPECT_TRUE(list.Contains(-3));
    EXPECT_FALSE(list.Contains(8));
}

TEST(IntList, EmptyListFindsNothing) {
    const TIntList list;
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.IndexOf(0), -1);
    EXPECT_FALSE(list.Contains(std::numeric_limits<std::int32_t>::min()));
}

TEST(IntList, ItemsOutsideTheListRaiseTheListIndexError) {
    TIntList list;
    list.Add(1);
    EXPECT_THROW_MSG(list.Items(1), EListError, "List index out of bounds (1)");
    EXPECT_THROW(list.Items(-1), EListError);
}

TEST(IntList, ClearForgetsEveryValue) {
    TIntList list;
    list.Add(3);
    list.Add(2000000000);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_FALSE(list.Contains(3));
    list.Add(2000000000);
    EXPECT_EQ(list.IndexOf(2000000000), 0);
}

// Values of every spread: compact ranges (the direct table), growing both
// ways, far apart and at the ends of the 32-bit range (the hash map), and
// switches between them part way.
std::int32_t DrawValue(std::mt19937& random, int pattern, int step) {
    constexpr std::int32_t lowest = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t highest = std::numeric_limits<std::int32_t>::max();
    switch (pattern) {
        case 0:
            return static_cast<std::int32_t>(random() % 200);
        case 1:
            return step % 2 == 0 ? step : -step;
        case 2:
            return static_cast<std::int32_t>(random());
        case 3:
            return random() % 2 == 0 ? lowest + static_cast<std::int32_t>(random() % 5)
                                     : highest - static_cast<std::int32_t>(random() % 5);
        default:
            return step < 300 ? step : static_cast<std::int32_t>(random() % 100000) * 997;
    }
}

TEST(IntList, AnswersAsAPlainListForValuesOfEverySpread) {
    for (int pattern = 0; pattern < 5; ++pattern) {
        for (std::uint32_t seed = 1; seed <= 20; ++seed) {
            std::mt19937 random(seed);
            TIntList list;
            if (seed % 2 == 0) list.Reserve(100);
            TPlainList plain;
            for (int step = 0; step < 600; ++step) {
                const std::int32_t value = DrawValue(random, pattern, step);
                list.Add(value);
                plain.values.push_back(value);
                const std::int32_t probe = DrawValue(random, pattern, step + 1);
                ASSERT_EQ(list.IndexOf(probe), plain.IndexOf(probe))
                    << "pattern " << pattern << " seed " << seed << " step " << step;
                ASSERT_EQ(list.IndexOf(value), plain.IndexOf(value));
            }
            ASSERT_EQ(list.Count(), static_cast<std::int32_t>(plain.values.size()));
        }
    }
}

}  // namespace
}  // namespace velquist
