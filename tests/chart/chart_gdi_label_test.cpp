// The chart's value labels on Windows: "#,##0.###" in a Windows locale's
// separators.
#include <gtest/gtest.h>
#include <windows.h>

#include "chart/chart_render_gdi.hpp"

namespace velquist {
namespace {

TEST(ChartLabels, GroupDigitsAndShowAtMostThreeDecimalsInTheLocalesSeparators) {
    struct TCase {
        const wchar_t* Locale;
        double Value;
        const char* Text;
    };
    const TCase cases[] = {
        {L"en-US", 12160, "12,160"},
        {L"en-US", 1234567.5, "1,234,567.5"},
        {L"en-US", 0.1 + 0.2, "0.3"},
        {L"en-US", 1.0004, "1"},
        {L"en-US", 1.0006, "1.001"},
        {L"en-US", -8715.3564, "-8,715.356"},
        {L"en-US", 0, "0"},
        {L"en-US", -0.0001, "0"},
        {L"en-US", 999, "999"},
        {L"en-US", 1e15, "1,000,000,000,000,000"},
        {L"de-DE", 1234567.5, "1.234.567,5"},
        {L"de-DE", -0.25, "-0,25"},
        {L"de-DE", 12000, "12.000"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Value);
        EXPECT_EQ(FormatChartLabel(c.Value, c.Locale), c.Text);
    }
}

}  // namespace
}  // namespace velquist
