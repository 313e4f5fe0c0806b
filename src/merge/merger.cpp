// Merge: folds report B into this report A as if both strategies had traded
// one account. Deposits add up, symbols are joined, periods compared, B's rows
// appended with order numbers moved clear of A's, all rows put into time
// order, rows renumbered, balances re-chained and orders renumbered; then the
// statistics are recomputed (MergeRows leaves that to a later
// ComputeStatistics). B is only read. Nothing is refused or reported.
#include <cstdint>
#include <string_view>

#include "base/globals.hpp"
#include "merge/int_list.hpp"
#include "merge/statistics_walk.hpp"
#include "model/report.hpp"

namespace velquist {
namespace {

bool SamePeriod(std::string_view a, std::string_view b) {
    return Trim(TextInParentheses(a)) == Trim(TextInParentheses(b));
}

// Copies of B's rows go after A's, their order moved by offset (wrapping like
// the 32-bit arithmetic it stands for) and Num continuing A's count.
void AppendShifted(TOperationList& target, const TOperationList& source, std::int32_t offset) {
    // Counted first, and each row copied before it is added, since source may
    // be target. No exact reserve: the list grows geometrically over a run of
    // merges instead of being reallocated by every one.
    const std::int32_t count = source.Count();
    for (std::int32_t i = 0; i < count; ++i) {
        TOperation copy = source.Items(i);
        copy.Order = static_cast<std::int32_t>(static_cast<std::uint32_t>(copy.Order) +
                                               static_cast<std::uint32_t>(offset));
        copy.Num = target.Count() + 1;
        target.Add(copy);
    }
}

// The last three steps of a merge in one pass: rows numbered 1..N in their
// new order, balances chained from the deposit through the balance rows,
// orders renumbered 1, 2, ... by the position of each order's first row (the
// TIntList index of its first sighting), and each finished row handed to the
// statistics (when there is a walk) in list order, exactly as
// ComputeStatistics would read it after.
void RenumberAndChain(TOperationList& operations, double deposit, TStatisticsWalk* statistics) {
    double running = deposit;
    TIntList orders;
    orders.Reserve(operations.Count());
    std::int32_t position = 0;
    for (TOperation& row : operations) {
        row.Num = ++position;
        if (row.HasBalance) {
            running += row.HasProfit ? row.Profit : 0.0;
            row.Balance = running;
        }
        std::int32_t index = orders.IndexOf(row.Order);
        if (index < 0) {
            orders.Add(row.Order);
            index = orders.Count() - 1;
        }
        row.Order = index + 1;
        if (statistics) statistics->Add(row);
    }
}

// Everything of a merge but the statistics, which are gathered on the way
// when there is a walk.
void MergeInto(TMT4TestReport& a, const TMT4TestReport& b, TStatisticsWalk* statistics) {
    a.InitialDeposit += b.InitialDeposit;
    if (a.Symbol != b.Symbol) a.Symbol += ", " + b.Symbol;
    if (!SamePeriod(a.Period, b.Period)) a.Period = "Period differs";
    AppendShifted(a.Operations, b.Operations, a.Operations.OrderCount());
    a.Operations.SortOperations();
    RenumberAndChain(a.Operations, a.InitialDeposit, statistics);
}

}  // namespace

void TMT4TestReport::Merge(const TMT4TestReport& b) {
    TStatisticsWalk statistics(Operations.Count() + b.Operations.Count());
    MergeInto(*this, b, &statistics);
    statistics.Finish(*this);
}

void TMT4TestReport::MergeRows(const TMT4TestReport& b) { MergeInto(*this, b, nullptr); }

}  // namespace velquist
