// ComputeStatistics and the walk behind it: counts, sums, percentages, runs
// and drawdowns of a report's rows. Formatting the numbers is the writer's.
#include <cmath>
#include <string_view>

#include "merge/rounding.hpp"
#include "merge/statistics_walk.hpp"

namespace velquist {
namespace {

// R2 of count x 100 / divisor, or 0 when the divisor is 0.
double Percentage(std::int32_t count, std::int32_t divisor) {
    if (divisor == 0) return 0;
    return R2(ExtendedQuotient(static_cast<long double>(count) * 100, divisor));
}

// R2 of sum / count, or 0 when the count is 0.
double Average(double sum, std::int32_t count) {
    return count == 0 ? 0.0 : R2(ExtendedQuotient(sum, count));
}

// The greatest length among runs sorted by length, and of runs of that length
// the money that `better` prefers, starting from 0.
template <typename Better>
void PickLongestRun(const TOperConsecList& runs, Better better, std::int32_t& length,
                    double& money) {
    length = runs.Count() == 0 ? 0 : runs.Items(0).Number;
    money = 0;
    for (const TOperConsecEntry& run : runs) {
        if (run.Number != length) break;
        if (better(run.Amount, money)) money = run.Amount;
    }
}

// The run whose money `better` prefers, starting from 0; runs come longest
// first, so of equal money the longest wins.
template <typename Better>
void PickRichestRun(const TOperConsecList& runs, Better better, double& money,
                    std::int32_t& count) {
    money = 0;
    count = 0;
    for (const TOperConsecEntry& run : runs) {
        if (!better(run.Amount, money)) continue;
        money = run.Amount;
        count = run.Number;
    }
}

std::int32_t AverageRunLength(const TOperConsecList& runs) {
    if (runs.Count() == 0) return 0;
    std::int64_t total = 0;
    for (const TOperConsecEntry& run : runs) total += run.Number;
    return static_cast<std::int32_t>(RoundHalfEven(static_cast<long double>(total) / runs.Count()));
}

}  // namespace

TStatisticsWalk::TStatisticsWalk(std::int32_t expectedRows) {
    for (TIntList* orders : {&allOrders_, &shortOrders_, &longOrders_})
        orders->Reserve(expectedRows);
    const auto rows = static_cast<std::size_t>(expectedRows > 0 ? expectedRows : 0);
    balances_.Positions.reserve(rows);
    balances_.Balances.reserve(rows);
}

void TStatisticsWalk::Add(const TOperation& row) {
    if (!allOrders_.Contains(row.Order)) allOrders_.Add(row.Order);
    if (row.HasProfit && row.Profit > 0) grossProfit_ += row.Profit;
    if (row.HasProfit && row.Profit < 0) grossLoss_ += row.Profit;
    // The row's own type counts for its trade below.
    static const TText sell("sell"), buy("buy");
    if (row.OpType == sell && !shortOrders_.Contains(row.Order)) shortOrders_.Add(row.Order);
    if (row.OpType == buy && !longOrders_.Contains(row.Order)) longOrders_.Add(row.Order);
    if (row.HasProfit) {
        CountTrade(row);
        EnterRun(row.Profit);
    }
    if (row.HasBalance) {
        balances_.Positions.push_back(position_);
        balances_.Balances.push_back(row.Balance);
    }
    ++position_;
}

void TStatisticsWalk::CountTrade(const TOperation& row) {
    const bool won = row.Profit > 0;
    if (shortOrders_.Contains(row.Order)) {
        shortPositions_ += 1;
        shortWins_ += won ? 1 : 0;
    }
    if (longOrders_.Contains(row.Order)) {
        longPositions_ += 1;
        longWins_ += won ? 1 : 0;
    }
    if (won) {
        profitTrades_ += 1;
        if (row.Profit > largestProfit_) largestProfit_ = row.Profit;
        profitSum_ += row.Profit;
    } else {
        lossTrades_ += 1;
        if (row.Profit < largestLoss_) largestLoss_ = row.Profit;
        lossSum_ += row.Profit;
    }
}

// Consecutive trade rows of one sign form a run; a profit of exactly 0 never
// extends a run and is filed as a losing run of its own.
void TStatisticsWalk::EnterRun(double profit) {
    const bool grows =
        runOpen_ && ((runLastProfit_ > 0 && profit > 0) || (runLastProfit_ < 0 && profit < 0));
    if (grows) {
        runLength_ += 1;
        runMoney_ += profit;
    } else {
        CloseRun();
        runOpen_ = true;
        runLength_ = 1;
        runMoney_ = profit;
    }
    runLastProfit_ = profit;
}

void TStatisticsWalk::CloseRun() {
    if (!runOpen_) return;
    (runLastProfit_ > 0 ? winningRuns_ : losingRuns_).Add(runLength_, runMoney_);
    runOpen_ = false;
}

void TStatisticsWalk::Finish(TMT4TestReport& report) {
    CloseRun();
    SetTradeStatistics(report);
    SetRunStatistics(report);
    SetDrawdownStatistics(report);
}

void TStatisticsWalk::SetTradeStatistics(TMT4TestReport& report) const {
    const std::int32_t orders = allOrders_.Count();
    report.GrossProfit = grossProfit_;
    report.GrossLoss = grossLoss_;
    report.TotalNetProfit = grossProfit_ + grossLoss_;
    report.TotalTrades = orders;
    report.ShortPositions = shortPositions_;
    report.ShortWonPercent = Percentage(shortWins_, shortPositions_);
    report.LongPositions = longPositions_;
    report.LongWonPercent = Percentage(longWins_, longPositions_);
    report.ProfitTrades = profitTrades_;
    report.ProfitTradesPercent = Percentage(profitTrades_, orders);
    report.LossTrades = lossTrades_;
    report.LossTradesPercent = Percentage(lossTrades_, orders);
    report.LargestProfitTrade = largestProfit_;
    report.LargestLossTrade = largestLoss_;
    report.AverageProfitTrade = Average(profitSum_, profitTrades_);
    report.AverageLossTrade = Average(lossSum_, lossTrades_);
    report.ProfitFactor =
        grossLoss_ == 0 ? 0 : R2(std::fabs(ExtendedQuotient(grossProfit_, grossLoss_)));
    report.ExpectedPayoff = Average(report.TotalNetProfit, orders);
}

void TStatisticsWalk::SetRunStatistics(TMT4TestReport& report) {
    const auto greater = [](double a, double b) { return a > b; };
    const auto smaller = [](double a, double b) { return a < b; };
    winningRuns_.SortDescending();
    losingRuns_.SortDescending();
    PickLongestRun(winningRuns_, greater, report.MaxConsecutiveWins,
                   report.MaxConsecutiveWinsMoney);
    PickLongestRun(losingRuns_, smaller, report.MaxConsecutiveLosses,
                   report.MaxConsecutiveLossesMoney);
    PickRichestRun(winningRuns_, greater, report.MaximalConsecutiveProfit,
                   report.MaximalConsecutiveProfitCount);
    PickRichestRun(losingRuns_, smaller, report.MaximalConsecutiveLoss,
                   report.MaximalConsecutiveLossCount);
    report.AverageConsecutiveWins = AverageRunLength(winningRuns_);
    report.AverageConsecutiveLosses = AverageRunLength(losingRuns_);
}

void TStatisticsWalk::SetDrawdownStatistics(TMT4TestReport& report) const {
    report.AbsoluteDrawdown = report.InitialDeposit - SeriesMinBalance(balances_);
    TOperConsecList peaks, troughs;
    FindDrawdownPairs(balances_, peaks, troughs);
    const TDrawdown largest = LargestDrawdown(peaks, troughs);
    report.MaximalDrawdown = largest.Money;
    report.MaximalDrawdownPercent = largest.Percent;
    report.RelativeDrawdown = largest.Money;
    report.RelativeDrawdownPercent = largest.Percent;
}

void TMT4TestReport::ComputeStatistics() {
    TStatisticsWalk walk(Operations.Count());
    for (const TOperation& row : Operations) walk.Add(row);
    walk.Finish(*this);
}

}  // namespace velquist
