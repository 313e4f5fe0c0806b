#include "merge/rounding.hpp"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <limits>
#include <vector>

namespace velquist {
namespace {

TEST(RoundHalfEven, RoundsHalvesToTheEvenNeighbour) {
    constexpr long double twoTo62 = 4611686018427387904.0L;  // beyond it, another path
    const struct {
        long double value, expected;
    } cases[] = {
        {0.5L, 0},
        {1.5L, 2},
        {2.5L, 2},
        {-0.5L, 0},
        {-1.5L, -2},
        {-2.5L, -2},
        {2.4999L, 2},
        {-2.5001L, -3},
        {7, 7},
        {twoTo62 + 0.5L, twoTo62},
        {twoTo62 + 1.5L, twoTo62 + 2},
        {-twoTo62 - 2.5L, -twoTo62 - 2},
    };
    for (const auto& c : cases) EXPECT_EQ(RoundHalfEven(c.value), c.expected) << c.value;
}

// The expected values come from exact rational arithmetic: x / 0.01 with the
// double 0.01, rounded to 64 bits, then to an integer halves to even.
TEST(R2, DividesByTheDoubleHundredthAndRoundsHalvesToEven) {
    const struct {
        double value, expected;
    } cases[] = {
        {0.125, 0.12},  // 12.4999... : the double 0.01 is above 1/100
        {-0.125, -0.12},
        {0.005, 0.0},  // exactly 0.5: to the even 0
        {0.015, 0.01},
        {2.675, 2.67},
        {0.045, 0.04},
        {12.345, 12.35},
        {55.55555555555556, 55.56},
        {3.3333333333333335, 3.33},
        {8, 8},
        {-3, -3},
        {0, 0},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(R2(c.value), c.expected) << c.value;
}

TEST(ExtendedQuotient, StoresTheExtendedQuotientAsADouble) {
    EXPECT_EQ(ExtendedQuotient(500, 9), 500.0 / 9);
    EXPECT_EQ(ExtendedQuotient(-12, 4), -3.0);
}

// 25569 is 1970-01-01. Times k/256 of a day after it are k x 337.5 seconds,
// exactly, so their keys show the rounding of halves.
TEST(TimeSortKey, CountsWholeSecondsSince1970RoundingHalvesToEven) {
    const struct {
        TDateTime time;
        std::int64_t expected;
    } cases[] = {
        {25569, 0},
        {25569 + 1.0 / 256, 338},
        {25569 + 3.0 / 256, 1012},
        {25569 - 1.0 / 256, -338},
        {25569 + 5.0 / 256, 1688},
        {43831 + (10 * 60 + 15) / 1440.0, 1577873700},  // 2020-01-01 10:15
        {std::numeric_limits<double>::quiet_NaN(), 0},
        {1e300, std::int64_t{1} << 62},
        {-1e300, -(std::int64_t{1} << 62)},
    };
    for (const auto& c : cases) EXPECT_EQ(TimeSortKey(c.time), c.expected) << c.time;
}

// The batch form rounds with the FPU under the default mode and falls back to
// the explicit rounding otherwise; both must agree with TimeSortKey.
TEST(TimeSortKeys, AgreesWithTimeSortKeyUnderEveryRoundingMode) {
    std::vector<TDateTime> times;
    for (int k = -40; k <= 40; ++k) times.push_back(25569 + k / 256.0);
    for (int m = 0; m < 3000; m += 7) times.push_back(43831 + m / 1440.0);
    times.push_back(std::numeric_limits<double>::quiet_NaN());
    times.push_back(1e300);
    const int original = std::fegetround();
    for (const int mode : {FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
        ASSERT_EQ(std::fesetround(mode), 0);
        std::vector<std::int64_t> keys(times.size());
        TimeSortKeys(
            times.size(), [&times](std::size_t i) { return times[i]; }, keys.data());
        std::vector<std::int64_t> single;
        for (const TDateTime time : times) single.push_back(TimeSortKey(time));
        const long double half = RoundHalfEven(2.5L);
        std::fesetround(original);
        EXPECT_EQ(keys, single) << "mode " << mode;
        EXPECT_EQ(keys[41], 338) << "mode " << mode;  // 25569 + 1/256
        EXPECT_EQ(half, 2) << "mode " << mode;
    }
}

}  // namespace
}  // namespace velquist
