// The chart's layout with a made-up font of fixed metrics, apart from any
// platform's text drawing.
#include "chart/chart_layout.hpp"

#include <gtest/gtest.h>

#include <string>

namespace velquist {
namespace {

TChartText FixedWidthText() {
    TChartText text;
    text.LineHeight = 13;
    text.Ascent = 10;
    text.Format = [](double value) { return std::to_string(static_cast<long long>(value)); };
    text.Advance = [](const std::string& s) { return 6 * static_cast<int>(s.size()); };
    text.InkBox = [](const std::string& s) {
        return TPixelRect{0, -9, 6 * static_cast<int>(s.size()) - 2, 0};
    };
    return text;
}

// Two labels are enough for grid lines at the labels; only a single label
// gets evenly spaced ones.
TEST(ChartLayout, PutsTheGridAtTheLabelsFromTwoLabelsOn) {
    const TChartLayout layout = PlaceChart(2, {0, 100}, FixedWidthText());
    ASSERT_EQ(layout.Bottom.size(), 2u);
    EXPECT_EQ(layout.GridColumns,
              (std::vector<int>{layout.Bottom[0].Position, layout.Bottom[1].Position}));
    const TChartLayout single = PlaceChart(1, {0, 100}, FixedWidthText());
    ASSERT_EQ(single.Bottom.size(), 1u);
    EXPECT_GT(single.GridColumns.size(), 2u);
}

}  // namespace
}  // namespace velquist
