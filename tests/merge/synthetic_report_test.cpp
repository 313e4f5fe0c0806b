#include "synthetic_report.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "fixtures/report_builder.hpp"

namespace velquist {
namespace {

TEST(MakeSyntheticReport, IsTheSameForTheSameSeedAndDiffersForAnother) {
    const TMT4TestReport a = MakeSyntheticReport(7, 500);
    const TMT4TestReport b = MakeSyntheticReport(7, 500);
    const TMT4TestReport c = MakeSyntheticReport(8, 500);
    EXPECT_EQ(testing::DescribeAll(a.Operations), testing::DescribeAll(b.Operations));
    EXPECT_NE(testing::DescribeAll(a.Operations), testing::DescribeAll(c.Operations));
}

// Exactly the rows asked for, numbered in time order, orders numbered by
// their opening, every order opened once and closed once with a profit, the
// balance chained from the deposit, times on whole minutes inside the range.
TEST(MakeSyntheticReport, HoldsAConsistentReport) {
    TSyntheticOptions options;
    options.SpanDays = 3;
    options.InitialDeposit = 5000;
    options.SymbolDescription = "Euro vs US Dollar";
    for (const int count : {0, 1, 2, 3, 10, 2000}) {
        const TMT4TestReport report = MakeSyntheticReport(3, count, options);
        ASSERT_EQ(report.Operations.Count(), count);
        double balance = options.InitialDeposit;
        std::set<std::int32_t> open, closed;
        TDateTime last = 0;
        std::int32_t num = 0, highestOrder = 0;
        for (const TOperation& row : report.Operations) {
            ASSERT_EQ(row.Num, ++num);
            ASSERT_GE(row.Time, last);
            last = row.Time;
            const double minutes = (row.Time - 43831) * 1440;
            ASSERT_NEAR(minutes, std::round(minutes), 1e-6);
            ASSERT_LT(minutes, options.SpanDays * 1440);
            if (row.OpType == "buy" || row.OpType == "sell") {
                ASSERT_EQ(row.Order, ++highestOrder);
                open.insert(row.Order);
                ASSERT_FALSE(row.HasProfit || row.HasBalance);
            } else if (row.OpType == "modify") {
                ASSERT_TRUE(open.count(row.Order));
            } else {
                ASSERT_TRUE(open.erase(row.Order)) << row.OpType;
                closed.insert(row.Order);
                balance += row.Profit;
                ASSERT_TRUE(row.HasProfit && row.HasBalance);
                ASSERT_DOUBLE_EQ(row.Balance, balance);
                balance = row.Balance;
            }
        }
        EXPECT_LE(open.size(), count == 1 ? 1u : 0u) << count;
        EXPECT_EQ(report.InitialDeposit, options.InitialDeposit);
        EXPECT_EQ(report.TotalTrades, highestOrder);
        EXPECT_EQ(report.Symbol, "EURUSD (Euro vs US Dollar)");
    }
}

}  // namespace
}  // namespace velquist
