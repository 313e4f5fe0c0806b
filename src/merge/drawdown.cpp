#include "merge/drawdown.hpp"

#include <cstddef>

namespace velquist {

double SeriesMaxBalance(const TBalanceSeries& series) {
    double highest = 0;
    for (const double balance : series.Balances)
        if (balance > highest) highest = balance;
    return highest;
}

double SeriesMinBalance(const TBalanceSeries& series) {
    double lowest = SeriesMaxBalance(series);
    for (const double balance : series.Balances)
        if (balance < lowest) lowest = balance;
    return lowest;
}

void FindDrawdownPairs(const TBalanceSeries& series, TOperConsecList& peaks,
                       TOperConsecList& troughs) {
    const TLargeVector<double>& balance = series.Balances;
    const TLargeVector<std::int32_t>& position = series.Positions;
    const std::size_t count = balance.size();
    // troughEnd[k]: where a trough search that begins at balance row k ends.
    TLargeVector<std::uint32_t> troughEnd(count);
    for (std::size_t k = count; k-- > 0;)
        troughEnd[k] = k + 1 < count && balance[k + 1] <= balance[k]
                           ? troughEnd[k + 1]
                           : static_cast<std::uint32_t>(k);
    // First balance row after position `after`; positions only grow, so the
    // search resumes where the previous one stood.
    std::size_t next = 0;
    const auto firstAfter = [&](std::int64_t after) {
        while (next < count && position[next] <= after) ++next;
        return next;
    };
    std::size_t peak = firstAfter(0);  // the first row never counts
    while (peak < count) {
        while (peak + 1 < count && balance[peak + 1] >= balance[peak]) ++peak;
        if (peak + 1 >= count) break;  // no trough after the last peak
        const std::size_t trough = troughEnd[peak + 1];
        peaks.Add(position[peak], balance[peak]);
        troughs.Add(position[trough], balance[trough]);
        // The next peak search looks only beyond position p + 1.
        peak = firstAfter(static_cast<std::int64_t>(position[peak]) + 1);
    }
}

TDrawdown LargestDrawdown(const TOperConsecList& peaks, const TOperConsecList& troughs) {
    // Without any pair the fall is taken as 0 (money and percent); the merged
    // report then shows no drawdown rather than an undefined one.
    if (peaks.Count() == 0) return {};
    const auto fall = [&](std::int32_t k) {
        return static_cast<long double>(peaks.Items(k).Amount) -
               static_cast<long double>(troughs.Items(k).Amount);
    };
    std::int32_t chosen = 0;
    for (std::int32_t k = 1; k < peaks.Count(); ++k)
        if (fall(k) > fall(chosen)) chosen = k;  // the earliest of equal falls stays
    const double peak = peaks.Items(chosen).Amount;
    const double trough = troughs.Items(chosen).Amount;
    TDrawdown result;
    result.Money = peak - trough;
    // A peak balance of 0 would divide by zero; the percentage is then 0.
    if (peak != 0)
        result.Percent = static_cast<double>(100.0L - (static_cast<long double>(trough) * 100.0L) /
                                                          static_cast<long double>(peak));
    return result;
}

}  // namespace velquist
