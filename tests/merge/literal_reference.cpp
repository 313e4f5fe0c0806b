#include "literal_reference.hpp"

#include "base/globals.hpp"
#include "merge/int_list.hpp"
#include "merge/rounding.hpp"

namespace velquist::literal {
namespace {

void QuickSortRows(TOperationList& list) {
    if (list.Count() == 0) return;
    std::vector<std::int64_t> keys;
    std::vector<std::int32_t> positions;
    for (std::int32_t i = 0; i < list.Count(); ++i) {
        keys.push_back(TimeSortKey(list.Items(i).Time));
        positions.push_back(i);
    }
    QuickSort(keys, positions, 0, list.Count() - 1);
    std::vector<TOperation> rows;
    for (const std::int32_t position : positions) rows.push_back(list.Items(position));
    list.Clear();
    for (const TOperation& row : rows) list.Add(row);
}

bool StageTwoSwaps(const TOperation& a, const TOperation& b) {
    return a.Time == b.Time && a.Order > b.Order;
}

bool StageThreeSwaps(const TOperation& a, const TOperation& b, const TOperation& c) {
    return a.Order == c.Order && b.Order != a.Order && b.Time == c.Time && a.Time != b.Time &&
           a.Order > b.Order;
}

bool StageFourSwaps(const TOperation& a, const TOperation& b) {
    return a.Time == b.Time && a.Order == b.Order && a.Num > b.Num;
}

}  // namespace

void SortOperations(TOperationList& list) {
    QuickSortRows(list);
    const std::int32_t n = list.Count();
    for (std::int32_t i = 0; i + 1 < n;) {
        if (StageTwoSwaps(list.Items(i), list.Items(i + 1)))
            list.Exchange(i, i + 1);
        else
            ++i;
    }
    for (std::int32_t i = 0; i + 2 < n;) {
        if (StageThreeSwaps(list.Items(i), list.Items(i + 1), list.Items(i + 2)))
            list.Exchange(i + 1, i + 2);
        else
            ++i;
    }
    bool swapped = true;
    while (swapped) {
        swapped = false;
        for (std::int32_t i = 0; i + 1 < n;) {
            if (StageFourSwaps(list.Items(i), list.Items(i + 1))) {
                list.Exchange(i, i + 1);
                swapped = true;
            } else {
                ++i;
            }
        }
    }
}

namespace {

template <typename Continues>
std::int32_t NextExtreme(const TOperationList& list, std::int32_t start, Continues continues) {
    std::int32_t candidate = -1;
    for (std::int32_t i = start < 0 ? 0 : start + 1; i < list.Count(); ++i) {
        const TOperation& row = list.Items(i);
        if (!row.HasBalance) continue;
        if (candidate >= 0 && !continues(row.Balance, list.Items(candidate).Balance)) break;
        candidate = i;
    }
    return candidate;
}

}  // namespace

std::int32_t NextPeak(const TOperationList& list, std::int32_t start) {
    return NextExtreme(list, start,
                       [](double balance, double candidate) { return balance >= candidate; });
}

std::int32_t NextTrough(const TOperationList& list, std::int32_t start) {
    return NextExtreme(list, start,
                       [](double balance, double candidate) { return balance <= candidate; });
}

void DrawdownPairs(const TOperationList& list, TOperConsecList& peaks, TOperConsecList& troughs) {
    std::int32_t s = 0;
    for (;;) {
        const std::int32_t p = NextPeak(list, s);
        const std::int32_t t = NextTrough(list, p);
        if (p == -1 || t == -1) return;
        peaks.Add(p, list.Items(p).Balance);
        troughs.Add(t, list.Items(t).Balance);
        s = p + 1;
    }
}

void Merge(TMT4TestReport& a, const TMT4TestReport& b) {
    a.InitialDeposit = a.InitialDeposit + b.InitialDeposit;
    if (a.Symbol != b.Symbol) a.Symbol = a.Symbol + ", " + b.Symbol;
    if (Trim(TextInParentheses(a.Period)) != Trim(TextInParentheses(b.Period)))
        a.Period = "Period differs";
    const std::int32_t offset = a.Operations.OrderCount();
    for (std::int32_t i = 0; i < b.Operations.Count(); ++i) {
        TOperation copy = b.Operations.Items(i);
        copy.Order = copy.Order + offset;
        copy.Num = a.Operations.Count() + 1;
        a.Operations.Add(copy);
    }
    SortOperations(a.Operations);
    double running = a.InitialDeposit;
    for (std::int32_t j = 0; j < a.Operations.Count(); ++j) {
        TOperation& row = a.Operations.Items(j);
        row.Num = j + 1;
        if (row.HasBalance) {
            running = running + row.Profit;
            row.Balance = running;
        }
    }
    TIntList orders;
    for (const TOperation& row : a.Operations)
        if (!orders.Contains(row.Order)) orders.Add(row.Order);
    for (TOperation& row : a.Operations) row.Order = orders.IndexOf(row.Order) + 1;
    a.ComputeStatistics();
}

}  // namespace velquist::literal
