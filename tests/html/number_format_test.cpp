#include "html/number_format.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace velquist {
namespace {

TEST(FormatFixed, RoundsHalvesAwayFromZeroAfterEighteenSignificantDigits) {
    struct Case {
        double value;
        int decimals;
        const char* text;
    };
    const Case cases[] = {
        {0.125, 2, "0.13"},
        {-0.125, 2, "-0.13"},
        {1.005, 2, "1.00"},  // held as slightly less than 1.005
        {-0.004, 2, "0.00"},
        {-0.005, 2, "-0.01"},
        {1200000.5, 2, "1200000.50"},
        {-12.3, 2, "-12.30"},
        {1.2345, 5, "1.23450"},
        {0, 2, "0.00"},
        {-0.0, 2, "0.00"},
        {0.999, 2, "1.00"},
        {9.995, 2, "9.99"},     // 9.99499999...
        {99.995, 2, "100.00"},  // 99.9950000000000045...
        {0.000004, 5, "0.00000"},
        {0.000005, 5, "0.00001"},
        {123456789012.345, 2, "123456789012.35"},
        {1e20, 2, "100000000000000000000.00"},
        {0.1 + 0.2, 2, "0.30"},
        {2.675, 2, "2.67"},
        {7, 0, "7"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatFixed(c.value, c.decimals), c.text) << c.value;
}

TEST(FormatFixed, FastPathGivesTheTextOfTheEighteenDigitRounding) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> magnitude(-4, 13);
    for (int i = 0; i < 200000; ++i) {
        // Random values, and values at and next to a half of the last decimal.
        const int decimals = static_cast<int>(random() % 7);
        double value = std::pow(10.0, magnitude(random)) * (random() % 2 ? 1 : -1);
        if (i % 2 == 1) {
            const double unit = std::pow(10.0, -decimals);
            value = (std::round(value / unit) + 0.5) * unit;
            value = std::nextafter(value, random() % 2 ? INFINITY : -INFINITY);
        }
        std::string exact;
        AppendFixedExact(exact, value, decimals);
        EXPECT_EQ(FormatFixed(value, decimals), exact) << value << " " << decimals;
    }
}

TEST(FormatFixed, WritesNonFiniteValuesAsWords) {
    EXPECT_EQ(FormatFixed(std::numeric_limits<double>::infinity(), 2), "INF");
    EXPECT_EQ(FormatFixed(-std::numeric_limits<double>::infinity(), 2), "-INF");
    EXPECT_EQ(FormatFixed(std::numeric_limits<double>::quiet_NaN(), 2), "NAN");
}

TEST(AppendInteger, HasNoGroupingOrPadding) {
    std::string out;
    AppendInteger(out, -2147483648LL);
    out += ' ';
    AppendInteger(out, 1048576);
    EXPECT_EQ(out, "-2147483648 1048576");
}

}  // namespace
}  // namespace velquist
