#include "merge/merger.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "fixtures/report_builder.hpp"
#include "literal_reference.hpp"
#include "merge/rounding.hpp"
#include "model/report.hpp"
#include "synthetic_report.hpp"

namespace velquist {
namespace {

using testing::Closing;
using testing::DescribeAll;
using testing::Minute;
using testing::Opening;
using testing::ReportOf;

TMT4TestReport MergeAll(const std::vector<TMT4TestReport>& reports) {
    TMT4TestReport merged = reports.front();
    for (std::size_t i = 1; i < reports.size(); ++i) merged.Merge(reports[i]);
    return merged;
}

// The 33 statistics fields, for comparing whole summary blocks.
// clang-format off
std::vector<double> Statistics(const TMT4TestReport& r) {
    return {r.TotalNetProfit, r.GrossProfit, r.GrossLoss, r.ProfitFactor, r.ExpectedPayoff,
            r.AbsoluteDrawdown, r.MaximalDrawdown, r.MaximalDrawdownPercent, r.RelativeDrawdown,
            r.RelativeDrawdownPercent, double(r.TotalTrades), double(r.ShortPositions),
            r.ShortWonPercent, double(r.LongPositions), r.LongWonPercent, double(r.ProfitTrades),
            r.ProfitTradesPercent, double(r.LossTrades), r.LossTradesPercent,
            r.LargestProfitTrade, r.LargestLossTrade, r.AverageProfitTrade, r.AverageLossTrade,
            double(r.MaxConsecutiveWins), r.MaxConsecutiveWinsMoney,
            double(r.MaxConsecutiveLosses), r.MaxConsecutiveLossesMoney,
            r.MaximalConsecutiveProfit, double(r.MaximalConsecutiveProfitCount),
            r.MaximalConsecutiveLoss, double(r.MaximalConsecutiveLossCount),
            double(r.AverageConsecutiveWins), double(r.AverageConsecutiveLosses)};
}
// clang-format on

TEST(Merge, JoinsDifferingSymbolsWholeAndInOrder) {
    const struct {
        std::vector<std::string> symbols;
        std::string expected;
    } cases[] = {
        {{"EURUSD", "EURUSD"}, "EURUSD"},
        {{"EURUSD", "GBPUSD"}, "EURUSD, GBPUSD"},
        {{"EURUSD", "GBPUSD", "EURUSD"}, "EURUSD, GBPUSD, EURUSD"},
        {{"EURUSD, GBPUSD", "GBPUSD"}, "EURUSD, GBPUSD, GBPUSD"},
        {{"EURUSD", "eurusd"}, "EURUSD, eurusd"},
        {{"EURUSD", "EURUSD "}, "EURUSD, EURUSD "},
        {{"", "EURUSD"}, ", EURUSD"},
    };
    for (const auto& c : cases) {
        std::vector<TMT4TestReport> reports;
        for (const std::string& symbol : c.symbols) reports.push_back(ReportOf(100, {}, symbol));
        EXPECT_EQ(MergeAll(reports).Symbol, c.expected);
    }
}

TEST(Merge, ComparesPeriodsByTheirFirstParenthesisedPart) {
    const std::string m15a =
        "15 Minutes (M15) 2020.01.02 00:00 - 2020.06.30 23:45 (2020.01.01 - 2020.07.01)";
    const std::string m15b =
        "15 Minutes (M15) 2021.03.01 10:00 - 2021.04.30 23:45 (2021.03.01 - 2021.05.01)";
    const std::string h1 =
        "1 Hour (H1) 2020.01.02 00:00 - 2020.06.30 23:00 (2020.01.01 - 2020.07.01)";
    const struct {
        std::vector<std::string> periods;
        std::string expected;
    } cases[] = {
        {{m15a, m15b}, m15a},
        {{m15a, h1}, "Period differs"},
        {{m15a, h1, m15a}, "Period differs"},  // has no parentheses: compared whole
        {{"Daily", " Daily\t"}, "Daily"},
        {{"Daily", "Weekly"}, "Period differs"},
        {{"x ( M15 ) y", "(M15)"}, "x ( M15 ) y"},
        {{"(M15", "(M15"}, "(M15"},
        {{"M15)", "M15) "}, "M15)"},
    };
    for (const auto& c : cases) {
        std::vector<TMT4TestReport> reports;
        for (const std::string& period : c.periods)
            reports.push_back(ReportOf(100, {}, "EURUSD", period));
        EXPECT_EQ(MergeAll(reports).Period, c.expected) << c.periods[1];
    }
}

TEST(Merge, AddsTheDepositsAndChainsBalancesFromTheSum) {
    TMT4TestReport a = ReportOf(100, {Opening(Minute(1), "buy", 1), Closing(Minute(5), 1, 7, 107)});
    const TMT4TestReport b =
        ReportOf(50, {Opening(Minute(2), "sell", 1), Closing(Minute(3), 1, -2, 48)});
    a.Merge(b);
    EXPECT_DOUBLE_EQ(a.InitialDeposit, 150);
    ASSERT_EQ(a.Operations.Count(), 4);
    EXPECT_DOUBLE_EQ(a.Operations.Items(2).Balance, 148);  // 150 - 2
    EXPECT_DOUBLE_EQ(a.Operations.Items(3).Balance, 155);  // 148 + 7
    EXPECT_DOUBLE_EQ(a.AbsoluteDrawdown, 2);
}

// A's orders 1 to 3, B's 1 to 2 (4 and 5 once shifted); B's order 1 opened
// before all of A's, so it becomes order 1.
TEST(Merge, NumbersOrdersByTheTimeOfTheirFirstRow) {
    TMT4TestReport a =
        ReportOf(100, {Opening(Minute(10), "buy", 1), Opening(Minute(20), "buy", 2),
                       Opening(Minute(30), "buy", 3), Closing(Minute(40), 1, 1, 101),
                       Closing(Minute(41), 2, 1, 102), Closing(Minute(42), 3, 1, 103)});
    const TMT4TestReport b =
        ReportOf(100, {Opening(Minute(5), "sell", 1), Opening(Minute(25), "sell", 2),
                       Closing(Minute(50), 1, 2, 102), Closing(Minute(51), 2, 2, 104)});
    a.Merge(b);
    std::vector<std::int32_t> orders, nums;
    for (const TOperation& row : a.Operations) {
        orders.push_back(row.Order);
        nums.push_back(row.Num);
    }
    EXPECT_EQ(orders, (std::vector<std::int32_t>{1, 2, 3, 4, 5, 2, 3, 5, 1, 4}));
    EXPECT_EQ(nums, (std::vector<std::int32_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(a.TotalTrades, 5);
}

TEST(Merge, ABWithoutRowsStillSumsJoinsChecksAndRecomputes) {
    TMT4TestReport a = ReportOf(100, {Opening(Minute(1), "buy", 1), Closing(Minute(2), 1, 10, 110)},
                                "EURUSD", "(M15)");
    a.TotalTrades = 42;  // from A's file; a merge recomputes it
    a.Merge(ReportOf(25, {}, "GBPUSD", "(H1)"));
    EXPECT_DOUBLE_EQ(a.InitialDeposit, 125);
    EXPECT_EQ(a.Symbol, "EURUSD, GBPUSD");
    EXPECT_EQ(a.Period, "Period differs");
    ASSERT_EQ(a.Operations.Count(), 2);
    EXPECT_DOUBLE_EQ(a.Operations.Items(1).Balance, 135);
    EXPECT_EQ(a.TotalTrades, 1);
    EXPECT_DOUBLE_EQ(a.GrossProfit, 10);
}

TEST(Merge, LeavesTheHeaderOfTheFirstReport) {
    TMT4TestReport a = ReportOf(100, {}, "EURUSD", "(M15)");
    a.FileName = "a.htm";
    a.ExpertName = "First";
    a.Server = "Server A";
    a.Version = "Build 1";
    a.Model = "Every tick";
    a.Parameters = "Lots=1; ";
    a.BarsInTest = 5;
    a.TicksModelled = 6;
    a.ModellingQuality = 90;
    a.MismatchedChartsErrors = 1;
    a.WriteSymbol = false;
    a.MaximalDrawdownText = "12.00 (1.00%)";
    TMT4TestReport b = ReportOf(100, {}, "EURUSD", "(M15)");
    b.FileName = "b.htm";
    b.ExpertName = "Second";
    b.BarsInTest = 50;
    b.WriteSymbol = true;
    b.MaximalDrawdownText = "99.00 (9.00%)";
    const TMT4TestReport before = a;
    a.Merge(b);
    EXPECT_EQ(a.FileName, before.FileName);
    EXPECT_EQ(a.ExpertName, before.ExpertName);
    EXPECT_EQ(a.Server, before.Server);
    EXPECT_EQ(a.Version, before.Version);
    EXPECT_EQ(a.Model, before.Model);
    EXPECT_EQ(a.Parameters, before.Parameters);
    EXPECT_EQ(a.BarsInTest, 5);
    EXPECT_EQ(a.TicksModelled, 6);
    EXPECT_EQ(a.ModellingQuality, 90);
    EXPECT_EQ(a.MismatchedChartsErrors, 1);
    EXPECT_FALSE(a.WriteSymbol);
    EXPECT_EQ(a.MaximalDrawdownText, before.MaximalDrawdownText);
}

TEST(Merge, LeavesBUnchanged) {
    TMT4TestReport a = ReportOf(100, {Opening(Minute(3), "buy", 1)});
    const TMT4TestReport b =
        ReportOf(40, {Opening(Minute(1), "sell", 1), Closing(Minute(2), 1, 1, 41)});
    const TMT4TestReport copy = b;
    a.Merge(b);
    EXPECT_EQ(DescribeAll(b.Operations), DescribeAll(copy.Operations));
    EXPECT_EQ(b.InitialDeposit, copy.InitialDeposit);
}

TEST(Merge, OfAReportWithItselfDoublesItsRows) {
    TMT4TestReport a = ReportOf(100, {Opening(Minute(1), "buy", 1), Closing(Minute(2), 1, 5, 105)});
    a.Merge(a);
    EXPECT_DOUBLE_EQ(a.InitialDeposit, 200);
    ASSERT_EQ(a.Operations.Count(), 4);
    EXPECT_EQ(a.TotalTrades, 2);
    EXPECT_DOUBLE_EQ(a.Operations.Items(3).Balance, 210);
}

// Small reports with awkward content: rows out of time order, shared times
// across reports, orders with gaps (some far apart), repeated and unrelated
// Num values, rows with a profit but no balance and the other way round.
TMT4TestReport RandomReport(std::mt19937& random) {
    TMT4TestReport report;
    report.InitialDeposit = static_cast<double>(random() % 1000);
    report.Symbol = random() % 2 ? "EURUSD" : "GBPUSD";
    report.Period = random() % 3 ? "1 Hour (H1)" : "Daily";
    const int count = static_cast<int>(random() % 40);
    const std::int32_t spread = random() % 4 == 0 ? 1000003 : 1;  // orders far apart
    for (int i = 0; i < count; ++i) {
        TOperation row =
            Opening(Minute(static_cast<int>(random() % 30)), random() % 2 ? "buy" : "sell",
                    static_cast<std::int32_t>(random() % 9) * spread);
        row.Num = static_cast<std::int32_t>(random() % 50);
        if (random() % 2) {
            row.HasProfit = random() % 8 != 0;
            row.Profit =
                row.HasProfit ? static_cast<double>(static_cast<int>(random() % 21) - 10) : 0;
            row.HasBalance = random() % 8 != 0;
            row.Balance = row.HasBalance ? 1000 + static_cast<double>(random() % 100) : 0;
        }
        report.Operations.Add(row);
    }
    return report;
}

TEST(Merge, GivesTheResultOfTheEightStepsOneAfterTheOther) {
    for (std::uint32_t seed = 1; seed <= 400; ++seed) {
        std::mt19937 random(seed);
        TMT4TestReport fast = RandomReport(random);
        TMT4TestReport expected = fast;
        TMT4TestReport deferred = fast;
        TMergeRun run(deferred);
        for (int merges = 1 + static_cast<int>(random() % 3); merges > 0; --merges) {
            if (random() % 6 == 0) {  // a report merged with itself, also within a run
                fast.Merge(fast);
                run.Fold(deferred);
                literal::Merge(expected, TMT4TestReport(expected));
                continue;
            }
            const TMT4TestReport b = RandomReport(random);
            fast.Merge(b);
            run.Fold(b);
            literal::Merge(expected, b);
        }
        run.Finish();
        ASSERT_EQ(DescribeAll(fast.Operations), DescribeAll(expected.Operations)) << seed;
        ASSERT_EQ(DescribeAll(deferred.Operations), DescribeAll(expected.Operations)) << seed;
        ASSERT_EQ(Statistics(fast), Statistics(expected)) << seed;
        ASSERT_EQ(Statistics(deferred), Statistics(expected)) << seed;
        ASSERT_EQ(fast.Symbol, expected.Symbol);
        ASSERT_EQ(fast.Period, expected.Period);
        ASSERT_EQ(fast.InitialDeposit, expected.InitialDeposit);
    }
}

// Invariants of any merge: every row kept, rows in time order, Num 1..N,
// orders 1..K numbered by their first row, balances chained from the summed
// deposit, statistics as ComputeStatistics gives them for the result.
void ExpectMergeInvariants(const std::vector<TMT4TestReport>& reports,
                           const TMT4TestReport& merged) {
    std::vector<std::string> expectedRows, mergedRows;
    double deposit = 0;
    for (const TMT4TestReport& report : reports) {
        deposit += report.InitialDeposit;
        for (TOperation row : report.Operations) {
            row.Num = row.Order = 0;
            row.Balance = 0;
            expectedRows.push_back(testing::Describe(row));
        }
    }
    double running = deposit;
    std::int32_t highestOrder = 0;
    std::int64_t lastKey = INT64_MIN;
    for (std::int32_t j = 0; j < merged.Operations.Count(); ++j) {
        TOperation row = merged.Operations.Items(j);
        ASSERT_EQ(row.Num, j + 1);
        ASSERT_GE(row.Order, 1);
        ASSERT_LE(row.Order, highestOrder + 1) << "order numbers follow first rows";
        highestOrder = std::max(highestOrder, row.Order);
        ASSERT_GE(TimeSortKey(row.Time), lastKey);
        lastKey = TimeSortKey(row.Time);
        if (row.HasBalance) {
            running += row.Profit;
            ASSERT_EQ(row.Balance, running) << "row " << j;
        }
        row.Num = row.Order = 0;
        row.Balance = 0;
        mergedRows.push_back(testing::Describe(row));
    }
    std::sort(expectedRows.begin(), expectedRows.end());
    std::sort(mergedRows.begin(), mergedRows.end());
    ASSERT_EQ(mergedRows, expectedRows);
    ASSERT_EQ(merged.Operations.OrderCount(), highestOrder);
    ASSERT_EQ(merged.InitialDeposit, deposit);
    TMT4TestReport recomputed = merged;
    recomputed.ComputeStatistics();
    ASSERT_EQ(Statistics(merged), Statistics(recomputed));
}

TEST(Merge, KeepsItsInvariantsOnGeneratedReports) {
    for (std::uint32_t seed = 1; seed <= 60; ++seed) {
        std::mt19937 random(seed);
        std::vector<TMT4TestReport> reports;
        for (int k = 2 + static_cast<int>(random() % 4); k > 0; --k) {
            TSyntheticOptions options;
            options.SpanDays = 1 + static_cast<int>(random() % 20);
            options.InitialDeposit = 1000 + static_cast<double>(random() % 9000);
            options.Symbol = random() % 2 ? "EURUSD" : "USDJPY";
            const int rows = static_cast<int>(random() % 700);
            reports.push_back(
                MakeSyntheticReport(static_cast<std::uint32_t>(random()), rows, options));
        }
        const TMT4TestReport merged = MergeAll(reports);
        ExpectMergeInvariants(reports, merged);
        if (::testing::Test::HasFatalFailure()) FAIL() << "seed " << seed;
    }
}

}  // namespace
}  // namespace velquist
