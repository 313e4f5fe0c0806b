// TStatisticsWalk: the summary block of a report, computed from its rows fed
// one at a time in list order, then written into the report at the end.
// ComputeStatistics feeds it from the rows as they stand; the merger feeds it
// each row as soon as the row has its final numbers, which saves a pass over
// the merged rows. It reads InitialDeposit and the rows, and changes no row.
#pragma once

#include <cstdint>

#include "merge/drawdown.hpp"
#include "merge/int_list.hpp"
#include "merge/oper_consec_list.hpp"
#include "model/report.hpp"

namespace velquist {

class TStatisticsWalk {
  public:
    // expectedRows only sizes the order sets.
    explicit TStatisticsWalk(std::int32_t expectedRows);

    void Add(const TOperation& row);
    // Writes every statistic into the report (all of them, from this walk
    // alone); the walk is used up.
    void Finish(TMT4TestReport& report);

  private:
    void CountTrade(const TOperation& row);
    void EnterRun(double profit);
    void CloseRun();
    void SetTradeStatistics(TMT4TestReport& report) const;
    void SetRunStatistics(TMT4TestReport& report);
    void SetDrawdownStatistics(TMT4TestReport& report) const;

    // Sums and counts; everything starts at 0.
    double grossProfit_ = 0, grossLoss_ = 0;
    double profitSum_ = 0, lossSum_ = 0;
    double largestProfit_ = 0, largestLoss_ = 0;
    std::int32_t shortPositions_ = 0, shortWins_ = 0;
    std::int32_t longPositions_ = 0, longWins_ = 0;
    std::int32_t profitTrades_ = 0, lossTrades_ = 0;
    // TotalTrades is OrderCount(): the orders of all rows, gathered here.
    TIntList allOrders_, shortOrders_, longOrders_;
    // The current run of trade rows of one sign.
    bool runOpen_ = false;
    std::int32_t runLength_ = 0;
    double runMoney_ = 0, runLastProfit_ = 0;
    TOperConsecList winningRuns_, losingRuns_;
    TBalanceSeries balances_;
    std::int32_t position_ = 0;
};

}  // namespace velquist
