#include "merge/rounding.hpp"

#include <cfenv>
#include <cmath>

namespace velquist {
namespace {

using detail::TwoToThe62;

// Halves to even for |x| < 2^62, by truncation (which ignores the rounding
// mode) and the exact remaining fraction.
std::int64_t RoundSmallHalfEven(long double x) {
    const auto whole = static_cast<std::int64_t>(x);
    const long double fraction = x - static_cast<long double>(whole);
    const bool odd = (whole & 1) != 0;
    if (fraction > 0.5L || (fraction == 0.5L && odd)) return whole + 1;
    if (fraction < -0.5L || (fraction == -0.5L && odd)) return whole - 1;
    return whole;
}

}  // namespace

long double RoundHalfEven(long double x) {
    if (std::fabs(x) < TwoToThe62) return static_cast<long double>(RoundSmallHalfEven(x));
    // Huge values (and infinities, NaN) through floor, which also ignores the
    // rounding mode.
    const long double lower = std::floor(x);
    const long double fraction = x - lower;
    if (fraction > 0.5L) return lower + 1;
    if (fraction < 0.5L) return lower;
    return std::fmod(lower, 2.0L) == 0 ? lower : lower + 1;
}

double R2(double x) {
    constexpr long double hundredth = 0.01;  // the double 0.01, widened exactly
    const long double steps = RoundHalfEven(static_cast<long double>(x) / hundredth);
    return static_cast<double>(steps * hundredth);
}

double ExtendedQuotient(long double dividend, long double divisor) {
    return static_cast<double>(dividend / divisor);
}

std::int64_t TimeSortKey(TDateTime time) {
    const long double seconds = (static_cast<long double>(time) - UnixDateDelta) * 86400.0L;
    if (std::isnan(seconds)) return 0;
    if (std::fabs(seconds) < TwoToThe62) return RoundSmallHalfEven(seconds);
    return static_cast<std::int64_t>(seconds > 0 ? TwoToThe62 : -TwoToThe62);
}

namespace detail {

bool RoundsToNearest() { return std::fegetround() == FE_TONEAREST; }

}  // namespace detail
}  // namespace velquist
