#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "fixtures/report_builder.hpp"
#include "literal_reference.hpp"
#include "model/operation.hpp"

namespace velquist {
namespace {

using testing::Minute;
using testing::Opening;

TOperationList ListOf(const std::vector<TOperation>& rows) {
    TOperationList list;
    for (const TOperation& row : rows) list.Add(row);
    return list;
}

// Each row is told apart by its Price.
std::vector<double> Prices(const TOperationList& list) {
    std::vector<double> prices;
    for (const TOperation& row : list) prices.push_back(row.Price);
    return prices;
}

TOperation Row(TDateTime time, std::int32_t order, std::int32_t num, double id) {
    TOperation row =
        Opening(time, id < 10 ? "buy" : "a type longer than small strings", order, num);
    row.Price = id;
    return row;
}

TEST(SortOperations, EmptyAndSingleRowListsStayAsTheyAre) {
    TOperationList empty;
    empty.SortOperations();
    EXPECT_EQ(empty.Count(), 0);
    TOperationList single = ListOf({Row(Minute(3), 1, 1, 7)});
    single.SortOperations();
    EXPECT_EQ(Prices(single), std::vector<double>{7});
}

TEST(SortOperations, PutsRowsIntoTimeOrder) {
    TOperationList list = ListOf({Row(Minute(30), 1, 1, 1), Row(Minute(10), 2, 2, 2),
                                  Row(Minute(20), 3, 3, 3), Row(Minute(0), 4, 4, 4)});
    list.SortOperations();
    EXPECT_EQ(Prices(list), (std::vector<double>{4, 2, 3, 1}));
}

TEST(SortOperations, PutsTheLowerOrderFirstAmongRowsOfOneTime) {
    for (const bool lowerFirst : {true, false}) {
        TOperationList list = lowerFirst
                                  ? ListOf({Row(Minute(5), 2, 1, 2), Row(Minute(5), 5, 2, 5)})
                                  : ListOf({Row(Minute(5), 5, 1, 5), Row(Minute(5), 2, 2, 2)});
        list.SortOperations();
        EXPECT_EQ(Prices(list), (std::vector<double>{2, 5})) << lowerFirst;
    }
}

// (t1, order 5), (t2, order 2), (t2, order 5): order 5's row at t2 moves up to
// follow its row at t1.
TEST(SortOperations, KeepsAnOrdersRowsTogetherAcrossATimeChange) {
    TOperationList list =
        ListOf({Row(Minute(1), 5, 1, 1), Row(Minute(2), 2, 2, 2), Row(Minute(2), 5, 3, 3)});
    list.SortOperations();
    EXPECT_EQ(Prices(list), (std::vector<double>{1, 3, 2}));
}

// The quicksort swaps two rows of equal key; the last stage puts them back
// into their report's sequence.
TEST(SortOperations, RestoresTheReportSequenceOfOneOrderAtOneTime) {
    TOperationList list = ListOf({Row(Minute(4), 1, 1, 1), Row(Minute(4), 1, 2, 2)});
    list.SortOperations();
    EXPECT_EQ(Prices(list), (std::vector<double>{1, 2}));
}

// Random lists with many equal times, equal keys of different times (a tenth
// of a second apart), few orders and repeated row numbers.
std::vector<TOperation> RandomRows(std::mt19937& random) {
    const int count = static_cast<int>(random() % 120);
    const int minutes = 1 + static_cast<int>(random() % 12);
    const int orders = 1 + static_cast<int>(random() % 6);
    std::vector<TOperation> rows;
    for (int i = 0; i < count; ++i) {
        TDateTime time = Minute(static_cast<int>(random() % minutes));
        if (random() % 8 == 0) time += 0.1 / 86400;
        const auto order = static_cast<std::int32_t>(random() % orders);
        const auto num = static_cast<std::int32_t>(random() % (count + 1));
        rows.push_back(Row(time, order, num, i));
    }
    return rows;
}

TEST(SortOperations, GivesTheArrangementOfTheStepByStepAlgorithm) {
    for (std::uint32_t seed = 1; seed <= 2000; ++seed) {
        std::mt19937 random(seed);
        const std::vector<TOperation> rows = RandomRows(random);
        TOperationList fast = ListOf(rows), expected = ListOf(rows);
        fast.SortOperations();
        literal::SortOperations(expected);
        ASSERT_EQ(testing::DescribeAll(fast), testing::DescribeAll(expected)) << "seed " << seed;
    }
}

}  // namespace
}  // namespace velquist
