// The balance side of the statistics: the balance rows of a list as a compact
// series, their extremes, the drawdown pairs (local peak, next local trough)
// and the choice of the largest fall. Does not walk the operations itself.
#pragma once

#include <cstdint>
#include <vector>

#include "merge/oper_consec_list.hpp"
#include "system/large_memory.hpp"

namespace velquist {

// The balance rows of an operations list, in list order.
struct TBalanceSeries {
    TLargeVector<std::int32_t> Positions;  // row positions, increasing
    TLargeVector<double> Balances;
};

// Highest balance of the series, starting from 0; lowest, starting from the
// highest.
double SeriesMaxBalance(const TBalanceSeries& series);
double SeriesMinBalance(const TBalanceSeries& series);

// Adds the pairs that the loop "p := NextPeak(s); t := NextTrough(p); stop on
// -1; record (p, t); s := p + 1", started at s = 0, records, where NextPeak
// and NextTrough give the position of the next local balance peak / trough
// after s (equal balances carry the extreme forward): peaks get (position,
// balance) of p, troughs the same of t. Linear in the series, also
// through long falls where that loop finds the same trough again and again.
void FindDrawdownPairs(const TBalanceSeries& series, TOperConsecList& peaks,
                       TOperConsecList& troughs);

struct TDrawdown {
    double Money = 0;
    double Percent = 0;
};

// The first pair with the largest fall (peak - trough in extended precision):
// its fall in money and 100 - trough x 100 / peak in extended precision.
TDrawdown LargestDrawdown(const TOperConsecList& peaks, const TOperConsecList& troughs);

}  // namespace velquist
