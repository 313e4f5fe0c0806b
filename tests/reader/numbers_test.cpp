#include "reader/numbers.hpp"

#include <gtest/gtest.h>

namespace velquist {
namespace {

TEST(ParseNumber, ReadsDecimalNumbersAndGivesZeroForAnythingElse) {
    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {
        {"10000.00", 10000.0},
        {"-8623.04", -8623.04},
        {" 1.5 ", 1.5},
        {"+2", 2.0},
        {"1e3", 1000.0},
        {"2.5E-1", 0.25},
        {".5", 0.5},
        {"5.", 5.0},
        {"", 0},
        {"n/a", 0},
        {"1,5", 0},
        {"1 000", 0},
        {"12%", 0},
        {"abc", 0},
        {"inf", 0},
        {"nan", 0},
        {"1e", 0},
        {"-", 0},
        {"1e999", 0},
        {"0x10", 0},
        {"1.2.3", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseNumber(c.text), c.value) << c.text;
}

TEST(ParseInteger, AcceptsLeadingBlanksAndSignOnly) {
    struct Case {
        const char* text;
        std::int32_t value;
    };
    const Case cases[] = {
        {"2107", 2107},
        {"  -5", -5},
        {"+7", 7},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"2147483648", 0},
        {"99999999999999999999", 0},
        {"12 ", 0},
        {"1.0", 0},
        {"5%", 0},
        {"", 0},
        {"-", 0},
        {"x1", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseInteger(c.text), c.value) << c.text;
}

}  // namespace
}  // namespace velquist
