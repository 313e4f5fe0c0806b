// The arithmetic that the statistics and the time sort share: rounding halves
// to even in extended precision (long double), two-decimal rounding (R2) and
// the whole-second sort key of a time. Exact results matter here: the merged
// report is compared byte for byte with other implementations.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>

#include "model/date_time.hpp"

namespace velquist {

// The nearest integer, halves to even, whatever the FPU rounding mode.
long double RoundHalfEven(long double x);

// x rounded to two decimals: x / 0.01 (the double nearest 1/100, slightly above
// it) in extended precision, rounded halves to even, times 0.01, stored as a
// double. Exact halves therefore often fall below: R2(0.125) is 0.12.
double R2(double x);

// dividend / divisor computed in extended precision and stored as a double;
// every quotient that R2 rounds is first stored this way.
double ExtendedQuotient(long double dividend, long double divisor);

// Whole seconds since 1970-01-01 00:00: (time - 25569) * 86400 in extended
// precision, rounded halves to even. Values beyond +-2^62 s (no report holds
// such a time) are clamped; NaN gives 0.
std::int64_t TimeSortKey(TDateTime time);

// TimeSortKey of many times at once: keys[i] := TimeSortKey(times(i)) for i in
// 0 .. count - 1 (keys: a pointer, or anything indexed the same way). Under
// the default rounding mode (nearest, halves to even) it rounds with the
// FPU's own instruction, which is about twice as fast.
template <typename Times, typename Keys>
void TimeSortKeys(std::size_t count, Times times, Keys keys);

namespace detail {
bool RoundsToNearest();
constexpr long double TwoToThe62 = 4611686018427387904.0L;
}  // namespace detail

template <typename Times, typename Keys>
void TimeSortKeys(std::size_t count, Times times, Keys keys) {
    if (!detail::RoundsToNearest()) {
        for (std::size_t i = 0; i < count; ++i) keys[i] = TimeSortKey(times(i));
        return;
    }
    for (std::size_t i = 0; i < count; ++i) {
        const long double seconds = (static_cast<long double>(times(i)) - UnixDateDelta) * 86400.0L;
        // NaN and huge values fail the test and take the general path.
        keys[i] =
            std::fabs(seconds) < detail::TwoToThe62 ? std::llrint(seconds) : TimeSortKey(times(i));
    }
}

}  // namespace velquist
