// What the chart shows before anything is drawn: its points, its vertical
// range, the temporary bitmap's name and the label positions of an axis.
#include "chart/chart_data.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "chart/chart_scale.hpp"
#include "chart_test_support.hpp"

namespace velquist {
namespace {

TEST(ChartPoints, StartAtTheDepositAndCountOnlyRowsWithABalance) {
    TMT4TestReport report = testing::BalanceReport(5000, {});
    for (const auto& [hasBalance, balance] : std::vector<std::pair<bool, double>>{{false, 0},
                                                                                  {true, 5100},
                                                                                  {false, 0},
                                                                                  {false, 0},
                                                                                  {true, 4900},
                                                                                  {true, 5300},
                                                                                  {false, 0}}) {
        TOperation op;
        op.HasBalance = hasBalance;
        op.Balance = balance;
        report.Operations.Add(op);
    }
    EXPECT_EQ(BalancePoints(report), (std::vector<double>{5000, 5100, 4900, 5300}));
    EXPECT_EQ(BalancePoints(testing::BalanceReport(7000, {})), std::vector<double>{7000});
}

TEST(ChartRange, IsFittedToAllPointsThenWidenedFourPercentDownAndEightUp) {
    struct TCase {
        const char* Name;
        std::vector<double> Points;
        TChartRange Fitted;
        TChartRange Widened;
    };
    const TCase cases[] = {
        {"10000 to 12000", {10000, 10500, 12000, 11000}, {10000, 12000}, {9920, 12160}},
        {"the deposit is the lowest point", {10000, 12000, 11000}, {10000, 12000}, {9920, 12160}},
        {"below zero", {100, -100, 50}, {-100, 100}, {-108, 116}},
        {"deposit only", {10000}, {10000, 10000}, {10000, 10000 + 1e-10}},
        {"flat", {250, 250, 250}, {250, 250}, {250, 250 + 1e-10}},
        // 1e-10 is lost in rounding at this size: the range stays empty.
        {"flat and large", {1e8, 1e8}, {1e8, 1e8}, {1e8, 1e8}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(FittedRange(c.Points), c.Fitted);
        EXPECT_EQ(WidenedRange(FittedRange(c.Points)), c.Widened);
    }
}

TEST(ChartScale, LabelsSitAtMultiplesOfANiceStepWithinTheRange) {
    struct TCase {
        const char* Name;
        TChartRange Range;
        double Pixels, MinSpacing, MinStep;
        std::vector<double> Ticks;
    };
    const TCase cases[] = {
        {"balance 9920 to 12160",
         {9920, 12160},
         166,
         24,
         0.001,
         {10000, 10500, 11000, 11500, 12000}},
        {"30,000 trades", {0, 30000}, 753, 60, 1, {0, 5000, 10000, 15000, 20000, 25000, 30000}},
        {"three trades: no fractions", {0, 3}, 753, 30, 1, {0, 1, 2, 3}},
        {"steps of 2", {0, 9}, 100, 18, 1, {0, 2, 4, 6, 8}},
        {"small values", {0.99988, 1.00324}, 166, 24, 0.001, {1, 1.001, 1.002, 1.003}},
        {"across zero", {-108, 116}, 166, 24, 0.001, {-100, -50, 0, 50, 100}},
        {"flat: the value itself", {10000, 10000 + 1e-10}, 166, 24, 0.001, {10000}},
        {"flat between steps: the lower end",
         {10.0004, 10.0004 + 1e-10},
         166,
         24,
         0.001,
         {10.0004}},
        {"empty range", {1e8, 1e8}, 166, 24, 0.001, {1e8}},
        {"no trades", {0, 0}, 753, 30, 1, {0}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const std::vector<double> ticks = AxisTicks(c.Range, c.Pixels, c.MinSpacing, c.MinStep);
        ASSERT_EQ(ticks.size(), c.Ticks.size());
        for (std::size_t i = 0; i < ticks.size(); ++i) {
            EXPECT_NEAR(ticks[i], c.Ticks[i], 1e-9 * std::max(1.0, std::abs(c.Ticks[i])));
            EXPECT_FALSE(ticks[i] == 0 && std::signbit(ticks[i])) << "a -0 label";
        }
    }
}

TEST(ChartScale, ExtremeRangesGiveFewLabelsOrNone) {
    const double big = std::numeric_limits<double>::max();
    EXPECT_LE(AxisTicks({-big, big}, 166, 24, 0.001).size(), 1000u);
    EXPECT_LE(AxisTicks({1e300, 1e300 + 1e290}, 166, 24, 0.001).size(), 1000u);
    EXPECT_TRUE(AxisTicks({0, std::numeric_limits<double>::infinity()}, 166, 24, 0.001).empty());
}

}  // namespace
}  // namespace velquist
