#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "fixtures/report_builder.hpp"
#include "literal_reference.hpp"
#include "merge/drawdown.hpp"
#include "model/report.hpp"

namespace velquist {
namespace {

using testing::Closing;
using testing::Minute;
using testing::Opening;

// Builds a report row by row: each trade opens an order and closes it with a
// profit, the balance chained from the deposit.
class TBuilder {
  public:
    explicit TBuilder(double deposit) : balance_(deposit) { report_.InitialDeposit = deposit; }

    TBuilder& Trade(const std::string& type, double profit) {
        Open(type, ++lastOrder_);
        return Close(lastOrder_, profit);
    }
    TBuilder& Open(const std::string& type, std::int32_t order) {
        report_.Operations.Add(Opening(Minute(minute_++), type, order));
        return *this;
    }
    TBuilder& Close(std::int32_t order, double profit) {
        balance_ += profit;
        report_.Operations.Add(Closing(Minute(minute_++), order, profit, balance_));
        return *this;
    }
    // A balance row of its own (profit = the change of balance).
    TBuilder& Balance(double balance) {
        const double profit = balance - balance_;
        balance_ = balance;
        report_.Operations.Add(Closing(Minute(minute_++), ++lastOrder_, profit, balance));
        return *this;
    }
    TMT4TestReport Computed() {
        TMT4TestReport report = report_;
        report.ComputeStatistics();
        return report;
    }

  private:
    TMT4TestReport report_;
    double balance_;
    std::int32_t lastOrder_ = 0;
    int minute_ = 0;
};

TEST(ComputeStatistics, WorkedExampleOfNineTrades) {
    TBuilder builder(1000);
    for (const double profit : {10.0, 20.0, -5.0, 0.0, -3.0}) builder.Trade("buy", profit);
    for (const double profit : {-4.0, 7.0, 1.0, 2.0}) builder.Trade("sell", profit);
    const TMT4TestReport r = builder.Computed();
    EXPECT_EQ(r.TotalTrades, 9);
    EXPECT_DOUBLE_EQ(r.GrossProfit, 40);
    EXPECT_DOUBLE_EQ(r.GrossLoss, -12);
    EXPECT_DOUBLE_EQ(r.TotalNetProfit, 28);
    EXPECT_DOUBLE_EQ(r.ProfitFactor, 3.33);
    EXPECT_DOUBLE_EQ(r.ExpectedPayoff, 3.11);
    EXPECT_EQ(r.ProfitTrades, 5);
    EXPECT_DOUBLE_EQ(r.ProfitTradesPercent, 55.56);
    EXPECT_EQ(r.LossTrades, 4);
    EXPECT_DOUBLE_EQ(r.LossTradesPercent, 44.44);
    EXPECT_DOUBLE_EQ(r.LargestProfitTrade, 20);
    EXPECT_DOUBLE_EQ(r.LargestLossTrade, -5);
    EXPECT_DOUBLE_EQ(r.AverageProfitTrade, 8);
    EXPECT_DOUBLE_EQ(r.AverageLossTrade, -3);
    EXPECT_EQ(r.MaxConsecutiveWins, 3);
    EXPECT_DOUBLE_EQ(r.MaxConsecutiveWinsMoney, 10);
    EXPECT_EQ(r.MaxConsecutiveLosses, 2);
    EXPECT_DOUBLE_EQ(r.MaxConsecutiveLossesMoney, -7);
    EXPECT_DOUBLE_EQ(r.MaximalConsecutiveProfit, 30);
    EXPECT_EQ(r.MaximalConsecutiveProfitCount, 2);
    EXPECT_DOUBLE_EQ(r.MaximalConsecutiveLoss, -7);
    EXPECT_EQ(r.MaximalConsecutiveLossCount, 2);
    EXPECT_EQ(r.AverageConsecutiveWins, 2);  // 5 / 2 = 2.5, half to even
    EXPECT_EQ(r.AverageConsecutiveLosses, 1);
    EXPECT_EQ(r.LongPositions, 5);
    EXPECT_DOUBLE_EQ(r.LongWonPercent, 40);
    EXPECT_EQ(r.ShortPositions, 4);
    EXPECT_DOUBLE_EQ(r.ShortWonPercent, 75);
}

// The payoff is per order, not per profit row: an order closed in three parts
// and a deleted pending order count once each.
TEST(ComputeStatistics, ExpectedPayoffIsTheNetProfitPerOrder) {
    TBuilder builder(1000);
    builder.Open("buy", 1).Close(1, 5).Close(1, 5).Close(1, 5);
    builder.Open("buy limit", 2).Open("delete", 2);
    builder.Open("sell", 3).Close(3, 15);
    const TMT4TestReport r = builder.Computed();
    EXPECT_EQ(r.TotalTrades, 3);
    EXPECT_DOUBLE_EQ(r.ExpectedPayoff, 10);
}

// Runs of 2 and 1 wins average 1.5, rounded half to even.
TEST(ComputeStatistics, AverageRunLengthRoundsHalfToEven) {
    TBuilder builder(1000);
    for (const double profit : {10.0, 10.0, -5.0, 10.0}) builder.Trade("buy", profit);
    EXPECT_EQ(builder.Computed().AverageConsecutiveWins, 2);
}

// The maximal drawdown is the largest fall from a peak to its next trough (of
// two equal falls the earlier, whose peak gives the percentage; 120 to 80 is
// no such fall), also when the balance ends in it; without a pair (no fall
// after a peak, too few balance rows) it is 0, and a peak of 0 gives 0 %. The
// relative drawdown is the same fall here; the absolute one is the deposit
// less the lowest balance.
TEST(ComputeStatistics, DrawdownsOfTheBalanceRows) {
    const struct {
        const char* Name;
        double Deposit;
        std::vector<double> Balances;
        double Money;
        long double Percent;
        double Absolute;
    } cases[] = {
        {"two equal falls", 1000, {1100, 1000, 1200, 1100}, 100, 100 - 1000.0L * 100 / 1100, 0},
        {"largest to next trough", 100, {110, 120, 90, 95, 80, 130, 125}, 30, 25, 20},
        {"ending in a fall", 100, {110, 120, 100}, 20, 100 - 100.0L * 100 / 120, 0},
        {"no balance row", 100, {}, 0, 0, 100},
        {"one balance row", 100, {90}, 0, 0, 10},
        {"no fall after a peak", 100, {90, 110, 150}, 0, 0, 10},
        {"a peak of 0", 100, {0, -5}, 5, 0, 105},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TBuilder builder(c.Deposit);
        builder.Open("buy", 99);
        for (const double balance : c.Balances) builder.Balance(balance);
        const TMT4TestReport r = builder.Computed();
        EXPECT_DOUBLE_EQ(r.MaximalDrawdown, c.Money);
        EXPECT_DOUBLE_EQ(r.MaximalDrawdownPercent, c.Percent);
        EXPECT_DOUBLE_EQ(r.RelativeDrawdown, c.Money);
        EXPECT_DOUBLE_EQ(r.RelativeDrawdownPercent, c.Percent);
        EXPECT_DOUBLE_EQ(r.AbsoluteDrawdown, c.Absolute);
    }
}

TEST(ComputeStatistics, AbsoluteDrawdownIsNotBoundedBelow) {
    TBuilder rising(100);
    rising.Trade("buy", 10).Trade("buy", 10);
    EXPECT_DOUBLE_EQ(rising.Computed().AbsoluteDrawdown, 100 - 110);
}

TEST(ComputeStatistics, ZeroProfitsAreLossesOfTheirOwnThatBreakRuns) {
    TBuilder builder(100);
    for (const double profit : {5.0, 0.0, 5.0, 0.0}) builder.Trade("buy", profit);
    const TMT4TestReport r = builder.Computed();
    EXPECT_EQ(r.LossTrades, 2);
    EXPECT_DOUBLE_EQ(r.GrossLoss, 0);
    EXPECT_DOUBLE_EQ(r.LargestLossTrade, 0);
    EXPECT_DOUBLE_EQ(r.AverageLossTrade, 0);
    EXPECT_DOUBLE_EQ(r.ProfitFactor, 0);
    EXPECT_EQ(r.MaxConsecutiveWins, 1);
    EXPECT_EQ(r.MaxConsecutiveLosses, 1);
    EXPECT_DOUBLE_EQ(r.MaxConsecutiveLossesMoney, 0);
    EXPECT_DOUBLE_EQ(r.MaximalConsecutiveLoss, 0);
    EXPECT_EQ(r.MaximalConsecutiveLossCount, 0);
    EXPECT_EQ(r.AverageConsecutiveLosses, 1);
}

TEST(ComputeStatistics, OnlyWinningTradesLeaveTheLossSideAtZero) {
    TBuilder builder(100);
    builder.Trade("buy", 3).Trade("sell", 4);
    const TMT4TestReport r = builder.Computed();
    EXPECT_EQ(r.LossTrades, 0);
    EXPECT_DOUBLE_EQ(r.LossTradesPercent, 0);
    EXPECT_DOUBLE_EQ(r.GrossLoss, 0);
    EXPECT_DOUBLE_EQ(r.LargestLossTrade, 0);
    EXPECT_DOUBLE_EQ(r.AverageLossTrade, 0);
    EXPECT_DOUBLE_EQ(r.ProfitFactor, 0);
    EXPECT_EQ(r.MaxConsecutiveLosses, 0);
    EXPECT_DOUBLE_EQ(r.MaxConsecutiveLossesMoney, 0);
    EXPECT_DOUBLE_EQ(r.MaximalConsecutiveLoss, 0);
    EXPECT_EQ(r.MaximalConsecutiveLossCount, 0);
    EXPECT_EQ(r.AverageConsecutiveLosses, 0);
    EXPECT_EQ(r.MaxConsecutiveWins, 2);
    EXPECT_DOUBLE_EQ(r.MaxConsecutiveWinsMoney, 7);
}

TEST(ComputeStatistics, OnlyLosingTradesLeaveTheProfitSideAtZero) {
    TBuilder builder(100);
    builder.Trade("buy", -3).Trade("sell", -4);
    const TMT4TestReport r = builder.Computed();
    EXPECT_EQ(r.ProfitTrades, 0);
    EXPECT_DOUBLE_EQ(r.GrossProfit, 0);
    EXPECT_DOUBLE_EQ(r.LargestProfitTrade, 0);
    EXPECT_DOUBLE_EQ(r.AverageProfitTrade, 0);
    EXPECT_DOUBLE_EQ(r.ProfitFactor, 0);
    EXPECT_EQ(r.MaxConsecutiveWins, 0);
    EXPECT_DOUBLE_EQ(r.MaximalConsecutiveProfit, 0);
    EXPECT_EQ(r.AverageConsecutiveWins, 0);
    EXPECT_DOUBLE_EQ(r.MaximalConsecutiveLoss, -7);
    EXPECT_EQ(r.MaximalConsecutiveLossCount, 2);
}

// Trade rows count, while TotalTrades counts orders.
TEST(ComputeStatistics, TradesCountRowsWithProfitAndTotalTradesCountsOrders) {
    TBuilder builder(100);
    builder.Open("buy", 1).Open("sell", 2).Close(2, 5).Close(2, 6);
    const TMT4TestReport r = builder.Computed();
    EXPECT_EQ(r.TotalTrades, 2);
    EXPECT_EQ(r.ProfitTrades, 2);
    EXPECT_DOUBLE_EQ(r.ProfitTradesPercent, 100);
    EXPECT_EQ(r.ShortPositions, 2);
    EXPECT_DOUBLE_EQ(r.ShortWonPercent, 100);
    EXPECT_EQ(r.LongPositions, 0);
    EXPECT_EQ(r.LossTrades, 0);
}

TEST(ComputeStatistics, OnlyTheExactTypesSellAndBuyMakeShortAndLongPositions) {
    const struct {
        std::vector<std::string> types;  // the order's rows before its close
        std::int32_t shortPositions, longPositions;
    } cases[] = {
        {{"sell"}, 1, 0},
        {{"Sell"}, 0, 0},
        {{"sell "}, 0, 0},
        {{"sell stop"}, 0, 0},
        {{"sell stop", "sell"}, 1, 0},
        {{"buy"}, 0, 1},
        {{"BUY"}, 0, 0},
        {{"buy", "sell"}, 1, 1},
        {{"modify"}, 0, 0},
    };
    for (const auto& c : cases) {
        TBuilder builder(100);
        for (const std::string& type : c.types) builder.Open(type, 1);
        const TMT4TestReport r = builder.Close(1, 5).Computed();
        EXPECT_EQ(r.ShortPositions, c.shortPositions) << c.types.front();
        EXPECT_EQ(r.LongPositions, c.longPositions) << c.types.front();
    }
}

// Runs of equal money 50: the longer one counts, whichever comes first.
TEST(ComputeStatistics, OfRunsWithEqualMoneyTheLongestIsTheMaximalProfit) {
    const std::vector<double> shortFirst = {25, 25, -1, 10, 10, 10, 20};
    const std::vector<double> longFirst = {10, 10, 10, 20, -1, 25, 25};
    for (const auto& profits : {shortFirst, longFirst}) {
        TBuilder builder(100);
        for (const double profit : profits) builder.Trade("buy", profit);
        const TMT4TestReport r = builder.Computed();
        EXPECT_DOUBLE_EQ(r.MaximalConsecutiveProfit, 50);
        EXPECT_EQ(r.MaximalConsecutiveProfitCount, 4);
        EXPECT_EQ(r.MaxConsecutiveWins, 4);
        EXPECT_DOUBLE_EQ(r.MaxConsecutiveWinsMoney, 50);
    }
}

TEST(ComputeStatistics, AReportWithoutRowsGetsZerosAndTheDepositAsAbsoluteDrawdown) {
    TMT4TestReport r;
    r.InitialDeposit = 250;
    r.TotalTrades = 7;  // values read from a file take no part
    r.GrossProfit = 99;
    r.MaxConsecutiveWins = 3;
    r.MaximalDrawdown = 12;
    r.ComputeStatistics();
    EXPECT_EQ(r.TotalTrades, 0);
    EXPECT_DOUBLE_EQ(r.GrossProfit, 0);
    EXPECT_EQ(r.MaxConsecutiveWins, 0);
    EXPECT_DOUBLE_EQ(r.MaximalDrawdown, 0);
    EXPECT_DOUBLE_EQ(r.AbsoluteDrawdown, 250);
    EXPECT_DOUBLE_EQ(r.ExpectedPayoff, 0);
}

TEST(ComputeStatistics, RunningTwiceGivesTheSameValues) {
    TBuilder builder(500);
    for (const double profit : {3.0, -2.0, 0.0, 8.0, -1.0, -1.0}) builder.Trade("sell", profit);
    TMT4TestReport r = builder.Computed();
    const TMT4TestReport once = r;
    r.ComputeStatistics();
    EXPECT_EQ(r.ProfitFactor, once.ProfitFactor);
    EXPECT_EQ(r.MaximalDrawdownPercent, once.MaximalDrawdownPercent);
    EXPECT_EQ(r.AverageConsecutiveLosses, once.AverageConsecutiveLosses);
    EXPECT_EQ(r.MaxConsecutiveLossesMoney, once.MaxConsecutiveLossesMoney);
}

TEST(BalanceQueries, OrderCountAndBalanceExtremes) {
    const struct {
        std::vector<double> balances;  // NaN marks a row without balance
        std::vector<std::int32_t> orders;
        std::int32_t orderCount;
        double highest, lowest;
    } cases[] = {
        {{}, {}, 0, 0, 0},
        {{NAN, NAN}, {4, 4}, 1, 0, 0},
        {{-5, -9, NAN}, {1, 2, 1}, 2, 0, -9},
        {{7, 3, 12}, {3, 1, 2}, 3, 12, 3},
        {{7, 7}, {-1, 1}, 2, 7, 7},
    };
    for (const auto& c : cases) {
        TOperationList list;
        TBalanceSeries series;
        for (std::size_t i = 0; i < c.balances.size(); ++i) {
            TOperation row = Opening(Minute(0), "buy", c.orders[i]);
            if (!std::isnan(c.balances[i])) {
                row = Closing(Minute(0), c.orders[i], 0, c.balances[i]);
                series.Positions.push_back(static_cast<std::int32_t>(i));
                series.Balances.push_back(c.balances[i]);
            }
            list.Add(row);
        }
        EXPECT_EQ(list.OrderCount(), c.orderCount);
        EXPECT_EQ(SeriesMaxBalance(series), c.highest);
        EXPECT_EQ(SeriesMinBalance(series), c.lowest);
    }
}

TEST(BalanceQueries, PeaksAndTroughsCarryEqualBalancesForward) {
    TOperationList list;
    list.Add(Opening(Minute(0), "buy", 1));
    for (const double balance : {10.0, 10.0, 5.0, 5.0, 8.0})
        list.Add(Closing(Minute(0), 1, 0, balance));
    EXPECT_EQ(literal::NextPeak(list, -1), 2);
    EXPECT_EQ(literal::NextPeak(list, 0), 2);
    EXPECT_EQ(literal::NextTrough(list, 2), 4);
    EXPECT_EQ(literal::NextPeak(list, 4), 5);
    EXPECT_EQ(literal::NextTrough(list, 5), -1);
    EXPECT_EQ(literal::NextPeak(list, 5), -1);
}

// Random balance series with plateaus, long falls and rows without balance:
// the linear pair search records what the NextPeak / NextTrough loop does.
TEST(DrawdownPairs, RecordTheSamePairsAsTheNextPeakAndNextTroughLoop) {
    for (std::uint32_t seed = 1; seed <= 500; ++seed) {
        std::mt19937 random(seed);
        TOperationList list;
        TBalanceSeries series;
        double balance = 100;
        const int count = static_cast<int>(random() % 80);
        for (int i = 0; i < count; ++i) {
            if (random() % 3 == 0) {
                list.Add(Opening(Minute(i), "buy", i));
                continue;
            }
            const int move = static_cast<int>(random() % 7) - 3;
            balance += seed % 4 == 0 ? -1 : move;  // every fourth list only falls
            list.Add(Closing(Minute(i), i, move, balance));
            series.Positions.push_back(i);
            series.Balances.push_back(balance);
        }
        TOperConsecList peaks, troughs, expectedPeaks, expectedTroughs;
        FindDrawdownPairs(series, peaks, troughs);
        literal::DrawdownPairs(list, expectedPeaks, expectedTroughs);
        ASSERT_EQ(peaks.Count(), expectedPeaks.Count()) << "seed " << seed;
        for (std::int32_t k = 0; k < peaks.Count(); ++k) {
            ASSERT_EQ(peaks.Items(k).Number, expectedPeaks.Items(k).Number) << "seed " << seed;
            ASSERT_EQ(troughs.Items(k).Number, expectedTroughs.Items(k).Number) << "seed " << seed;
            ASSERT_EQ(troughs.Items(k).Amount, expectedTroughs.Items(k).Amount);
        }
    }
}

}  // namespace
}  // namespace velquist
