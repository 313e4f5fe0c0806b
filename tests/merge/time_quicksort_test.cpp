#include "merge/time_quicksort.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "literal_reference.hpp"

namespace velquist {
namespace {

// Key sequences of the shapes the merge meets (two sorted runs, many equal
// keys) and of shapes that stress the partitions.
std::vector<std::int64_t> MakeKeys(int shape, std::size_t count, std::mt19937& random) {
    std::vector<std::int64_t> keys(count);
    const auto draw = [&random](int range) { return static_cast<std::int64_t>(random() % range); };
    for (std::size_t i = 0; i < count; ++i) {
        const auto n = static_cast<std::int64_t>(i);
        switch (shape) {
            case 0:
                keys[i] = draw(5);
                break;  // few distinct keys
            case 1:
                keys[i] = draw(1000000);
                break;  // mostly distinct
            case 2:
                keys[i] = n / 3;
                break;  // sorted, runs of 3
            case 3:
                keys[i] = -n / 2;
                break;  // descending
            case 4:
                keys[i] = 42;
                break;  // all equal
            case 5:
                keys[i] = i < count / 2 ? n : n - static_cast<std::int64_t>(count / 2);
                break;
            case 6:
                keys[i] = std::min(n, static_cast<std::int64_t>(count) - n);
                break;  // pipe
            default:
                keys[i] = n % 7;
                break;  // sawtooth
        }
    }
    if (shape == 5) {  // two sorted runs with equal keys across them, as in a merge
        std::sort(keys.begin(), keys.begin() + static_cast<std::ptrdiff_t>(count / 2));
        for (auto& key : keys) key = key / 2;
    }
    return keys;
}

std::vector<std::uint32_t> LiteralOrder(std::vector<std::int64_t> keys) {
    std::vector<std::uint32_t> positions(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) positions[i] = static_cast<std::uint32_t>(i);
    if (!keys.empty())
        literal::QuickSort(keys, positions, 0, static_cast<std::ptrdiff_t>(keys.size()) - 1);
    return positions;
}

std::vector<std::uint32_t> PackedOrder(const std::vector<std::int64_t>& keys) {
    if (keys.empty()) return {};
    const std::int64_t lowest = *std::min_element(keys.begin(), keys.end());
    std::vector<TPackedKeyRecord> records;
    for (std::size_t i = 0; i < keys.size(); ++i)
        records.push_back(static_cast<std::uint64_t>(keys[i] - lowest) << 32 | i);
    QuickSortByKey(records.data(), records.size());
    std::vector<std::uint32_t> positions;
    for (const TPackedKeyRecord record : records)
        positions.push_back(static_cast<std::uint32_t>(record));
    return positions;
}

std::vector<std::uint32_t> WideOrder(const std::vector<std::int64_t>& keys) {
    std::vector<TWideKeyRecord> records;
    for (std::size_t i = 0; i < keys.size(); ++i)
        records.push_back({keys[i], static_cast<std::uint32_t>(i)});
    QuickSortByKey(records.data(), records.size());
    std::vector<std::uint32_t> positions;
    for (const TWideKeyRecord& record : records) positions.push_back(record.Position);
    return positions;
}

TEST(QuickSortByKey, LeavesEqualKeysExactlyAsTheRecursiveQuicksort) {
    for (int shape = 0; shape < 8; ++shape) {
        for (std::uint32_t seed = 1; seed <= 40; ++seed) {
            std::mt19937 random(seed * 31 + static_cast<std::uint32_t>(shape));
            const std::size_t count = seed <= 8 ? seed - 1 : random() % 3000;
            std::vector<std::int64_t> keys = MakeKeys(shape, count, random);
            const std::vector<std::uint32_t> expected = LiteralOrder(keys);
            ASSERT_EQ(PackedOrder(keys), expected) << "shape " << shape << " seed " << seed;
            ASSERT_EQ(WideOrder(keys), expected) << "shape " << shape << " seed " << seed;
            // Keys more than 2^32 apart, which only the wide records take.
            for (auto& key : keys) key *= std::int64_t{1} << 30;
            ASSERT_EQ(WideOrder(keys), LiteralOrder(keys)) << "shape " << shape << " spread";
        }
    }
}

// Lists large enough to be sorted on two threads, of many sizes and seeds:
// with few distinct keys, rows equal to the pivot stand between the two
// sides, where each must be sorted by one side only.
TEST(QuickSortByKey, GivesTheSameArrangementWhenLargeListsAreSortedOnTwoThreads) {
    for (const int shape : {0, 1, 4, 5, 7}) {
        for (std::uint32_t seed = 1; seed <= 4; ++seed) {
            std::mt19937 random(seed * 131 + static_cast<std::uint32_t>(shape));
            const std::size_t count = QuickSortSplitFrom + random() % QuickSortSplitFrom;
            const std::vector<std::int64_t> keys = MakeKeys(shape, count, random);
            const std::vector<std::uint32_t> expected = LiteralOrder(keys);
            SCOPED_TRACE(::testing::Message() << "shape " << shape << " seed " << seed);
            ASSERT_EQ(PackedOrder(keys), expected);
            ASSERT_EQ(WideOrder(keys), expected);
        }
    }
}

TEST(KeysFitPacked, AcceptsSpansUpTo32Bits) {
    EXPECT_TRUE(KeysFitPacked(-5, -5));
    EXPECT_TRUE(KeysFitPacked(100, 100 + 0xFFFFFFFFLL));
    EXPECT_FALSE(KeysFitPacked(100, 100 + 0x100000000LL));
    EXPECT_FALSE(KeysFitPacked(-(std::int64_t{1} << 62), std::int64_t{1} << 62));
}

}  // namespace
}  // namespace velquist
