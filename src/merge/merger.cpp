// The merge: report B folded into report A as if both strategies had traded
// one account. Deposits add up, symbols are joined, periods compared, B's rows
// appended with order numbers moved clear of A's, all rows put into time
// order, rows renumbered, balances re-chained and orders renumbered; then the
// statistics are recomputed. B is only read. Nothing is refused or reported.
#include "merge/merger.hpp"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>
#include <utility>

#include "base/globals.hpp"
#include "base/side_by_side.hpp"
#include "merge/int_list.hpp"
#include "merge/statistics_walk.hpp"
#include "system/large_memory.hpp"

namespace velquist {
namespace {

bool SamePeriod(std::string_view a, std::string_view b) {
    return Trim(TextInParentheses(a)) == Trim(TextInParentheses(b));
}

// Room for at least count rows, growing geometrically over a run of folds
// rather than to the exact size each time.
void ReserveGrowing(TOperationList& list, std::size_t count) {
    if (list.Capacity() < count) list.Reserve(std::max(count, list.Capacity() * 2));
}

// Copies of B's rows go after A's. Counted first, and each row copied before
// it is added, since source may be target.
void AppendRows(TOperationList& target, const TOperationList& source) {
    const std::int32_t count = source.Count();
    for (std::int32_t i = 0; i < count; ++i) {
        const TOperation copy = source.Items(i);
        target.Add(copy);
    }
}

}  // namespace

// The records of the rows as they stand, and their number of orders.
void TMergeRun::Start() {
    records_.clear();
    ReserveLarge(records_, report_.Operations.Capacity());
    AppendTimeOrderRows(report_.Operations, 0, records_);
    orderCount_ = report_.Operations.OrderCount();
    orderLow_ = 1;
    orderHigh_ = 0;
    for (const TTimeOrderRow& record : records_) IncludeOrder(record.Order);
}

void TMergeRun::IncludeOrder(std::int32_t order) {
    if (orderLow_ > orderHigh_) orderLow_ = orderHigh_ = order;
    orderLow_ = std::min<std::int64_t>(orderLow_, order);
    orderHigh_ = std::max<std::int64_t>(orderHigh_, order);
}

// All the room a fold needs, taken before anything changes: a fold that runs
// out of memory leaves the rows as the folds before it left them. The records
// get as much room as the rows, which the merge job sizes for all its files.
void TMergeRun::Reserve(std::size_t rowCount) {
    ReserveGrowing(report_.Operations, rowCount);
    ReserveLarge(records_, report_.Operations.Capacity());
    ReserveLarge(sorted_, report_.Operations.Capacity());
}

// In the new order: Num 1..N, and orders renumbered 1, 2, ... by the
// position of each order's first row (the TIntList index of its first
// sighting, plus 1). After that the orders are exactly 1..K.
void TMergeRun::RenumberSorted() {
    // The rule of TIntList's own table: orders that lie close together, as
    // they do after the first fold (A's 1..K, B's moved past them).
    const std::int64_t span = orderLow_ > orderHigh_ ? 0 : orderHigh_ - orderLow_ + 1;
    if (span <= 4 * static_cast<std::int64_t>(sorted_.size()) + 1024)
        RenumberByTable();
    else
        RenumberByList();
    orderLow_ = 1;
    orderHigh_ = orderCount_;
}

// numbers_[order - orderLow_]: the order's new number, 0 until its first row.
// Without branches on first sightings, which are too frequent to guess.
void TMergeRun::RenumberByTable() {
    numbers_.assign(static_cast<std::size_t>(orderHigh_ - orderLow_ + 1), 0);
    std::int32_t count = 0, position = 0;
    for (TTimeOrderRow& record : sorted_) {
        record.Num = ++position;
        std::int32_t& number = numbers_[static_cast<std::size_t>(record.Order - orderLow_)];
        const std::int32_t first = number == 0 ? 1 : 0;
        count += first;
        number += first * count;
        record.Order = number;
    }
    orderCount_ = count;
}

void TMergeRun::RenumberByList() {
    // Announcing the run's expected rows keeps one table for all folds.
    orders_.Clear();
    orders_.Reserve(static_cast<std::int32_t>(
        std::min<std::size_t>(sorted_.capacity(), std::numeric_limits<std::int32_t>::max())));
    std::int32_t position = 0;
    for (TTimeOrderRow& record : sorted_) {
        record.Num = ++position;
        std::int32_t index = orders_.IndexOf(record.Order);
        if (index < 0) {
            orders_.Add(record.Order);
            index = orders_.Count() - 1;
        }
        record.Order = index + 1;
    }
    orderCount_ = orders_.Count();
}

void TMergeRun::Fold(const TMT4TestReport& b) {
    if (&b == &report_) Finish();  // its rows must be in place to be read
    if (!pending_) Start();
    TOperationList& rows = report_.Operations;
    const std::size_t before = static_cast<std::size_t>(rows.Count());
    Reserve(before + static_cast<std::size_t>(b.Operations.Count()));
    report_.InitialDeposit += b.InitialDeposit;
    if (report_.Symbol != b.Symbol) report_.Symbol += ", " + b.Symbol;
    if (!SamePeriod(report_.Period, b.Period)) report_.Period = "Period differs";
    AppendRows(rows, b.Operations);
    AppendTimeOrderRows(rows, before, records_);
    // B's orders moved by A's order count (wrapping like the 32-bit arithmetic
    // it stands for), Num continuing A's count.
    for (std::size_t i = before; i < records_.size(); ++i) {
        TTimeOrderRow& record = records_[i];
        record.Order = static_cast<std::int32_t>(static_cast<std::uint32_t>(record.Order) +
                                                 static_cast<std::uint32_t>(orderCount_));
        record.Num = static_cast<std::int32_t>(i + 1);
        IncludeOrder(record.Order);
    }
    pending_ = true;
    PutIntoTimeOrder(records_, sorted_);
    RenumberSorted();
    std::swap(records_, sorted_);
}

// Hands each row in the merged order to visit, with its number, order and
// balance (chained from the deposit) as the merges leave them.
template <typename Visit>
void TMergeRun::WalkMerged(Visit visit) const {
    double running = report_.InitialDeposit;
    const auto rows = report_.Operations.begin();
    for (const TTimeOrderRow& record : records_) {
        TOperation row = rows[static_cast<std::ptrdiff_t>(record.Row)];
        row.Num = record.Num;
        row.Order = record.Order;
        if (row.HasBalance) {
            running += row.HasProfit ? row.Profit : 0.0;
            row.Balance = running;
        }
        visit(row);
    }
}

// The rows are placed in a new list while the statistics walk them on a
// second thread: both only read the appended rows and the records, and each
// writes only its own result.
void TMergeRun::Finish() {
    if (!pending_) return;
    TLargeVector<TTimeOrderRow>().swap(sorted_);
    TOperationList placed;
    placed.Reserve(records_.size());
    TStatisticsWalk statistics(static_cast<std::int32_t>(records_.size()));
    RunSideBySide(
        [&] { WalkMerged([&statistics](const TOperation& row) { statistics.Add(row); }); },
        [&] { WalkMerged([&placed](const TOperation& row) { placed.Add(row); }); });
    report_.Operations = std::move(placed);
    statistics.Finish(report_);
    records_.clear();
    pending_ = false;
}

void TMT4TestReport::Merge(const TMT4TestReport& b) {
    TMergeRun run(*this);
    run.Fold(b);
    run.Finish();
}

}  // namespace velquist
