// The drawn chart, checked by its pixels: size, white margins, frame and axes,
// grid, the line's colour, thickness and position, and the column envelope
// against the full line.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "chart/chart_data.hpp"
#include "chart_test_support.hpp"

namespace velquist {
namespace {

using testing::Black;
using testing::Blue;
using testing::Grey;
using testing::TRgb;
using testing::White;

struct TCurve {
    const char* Name;
    TMT4TestReport Report;
};

// The curves a user meets: short, long, flat, falling, below zero, none.
std::vector<TCurve> Curves() {
    return {
        {"short", testing::BalanceReport(10000, testing::RandomWalk(20, 10000, 20, 100, 1))},
        {"long", testing::BalanceReport(10000, testing::RandomWalk(30000, 10000, 0.5, 30, 2))},
        {"flat", testing::BalanceReport(10000, std::vector<double>(50, 10000))},
        {"falling", testing::BalanceReport(10000, testing::RandomWalk(800, 10000, -11, 20, 3))},
        {"below zero", testing::BalanceReport(5000, testing::RandomWalk(3000, 5000, -5, 40, 4))},
        {"no balance rows", testing::BalanceReport(10000, {})},
        {"large values", testing::BalanceReport(1e9, testing::RandomWalk(500, 1e9, 1e6, 1e7, 5))},
    };
}

bool RowIs(const TRgbImage& image, int y, int x0, int x1, TRgb colour) {
    for (int x = x0; x <= x1; ++x) {
        if (testing::PixelOf(image, x, y) != colour) return false;
    }
    return true;
}

bool ColumnIs(const TRgbImage& image, int x, int y0, int y1, TRgb colour) {
    for (int y = y0; y <= y1; ++y) {
        if (testing::PixelOf(image, x, y) != colour) return false;
    }
    return true;
}

// Rows (or columns) inside the plot drawn as a dotted grey line: about every
// other pixel grey over the whole length, leaving out where the balance line
// covers it (crossing grid lines make a few neighbouring grey pixels).
int DottedGridLines(const TRgbImage& image, const TPixelRect& plot, bool rows) {
    int lines = 0;
    const int first = rows ? plot.Top + 1 : plot.Left + 1;
    const int last = rows ? plot.Bottom - 1 : plot.Right - 1;
    const int from = rows ? plot.Left + 1 : plot.Top + 1;
    const int to = rows ? plot.Right - 1 : plot.Bottom - 1;
    for (int at = first; at <= last; ++at) {
        int grey = 0, uncovered = 0;
        for (int along = from; along <= to; ++along) {
            const TRgb pixel =
                rows ? testing::PixelOf(image, along, at) : testing::PixelOf(image, at, along);
            grey += pixel == Grey;
            uncovered += pixel != Blue;
        }
        if (uncovered > (to - from) / 2 && grey * 5 >= uncovered * 2 && grey * 5 <= uncovered * 3) {
            ++lines;
        }
    }
    return lines;
}

TEST(ChartPicture, Is820By200WithWhiteMarginsAndOnlyTheChartsColours) {
    for (const TCurve& curve : Curves()) {
        SCOPED_TRACE(curve.Name);
        const TRgbImage image = testing::Render(curve.Report).Image;
        ASSERT_EQ(image.Width, 820);
        ASSERT_EQ(image.Height, 200);
        for (int y = 0; y < 200; ++y) {
            ASSERT_TRUE(RowIs(image, y, 0, 7, White)) << "left margin, row " << y;
            ASSERT_TRUE(RowIs(image, y, 804, 819, White)) << "right margin, row " << y;
        }
        for (int y = 0; y < 10; ++y) ASSERT_TRUE(RowIs(image, y, 0, 819, White)) << "top, " << y;
        const std::set<TRgb> colours = testing::ColoursOf(image);
        const bool hasLine = BalancePoints(curve.Report).size() > 1;
        std::set<TRgb> expected{White, Black, Grey};
        if (hasLine) expected.insert(Blue);
        EXPECT_EQ(colours, expected);
    }
}

TEST(ChartPicture, FrameIsOnePixelAndTheAxesTwoPixelsOnTheBottomAndRight) {
    for (const TCurve& curve : Curves()) {
        SCOPED_TRACE(curve.Name);
        const TChartPicture picture = testing::Render(curve.Report);
        const TRgbImage& image = picture.Image;
        const TPixelRect plot = picture.Plot;
        ASSERT_GE(plot.Left, 8);
        ASSERT_GE(plot.Top, 10);
        ASSERT_LT(plot.Right + 1, 804);
        ASSERT_LT(plot.Bottom + 1, 200);
        ASSERT_GT(plot.Width(), 600);
        ASSERT_GT(plot.Height(), 140);
        // The line may pass over the frame where the curve touches it; look
        // where it cannot: the top right corner is above every curve.
        const int middle = (plot.Left + plot.Right) / 2;
        EXPECT_TRUE(RowIs(image, plot.Top, middle, plot.Right + 1, Black));
        EXPECT_FALSE(RowIs(image, plot.Top + 1, middle, plot.Right - 1, Black));
        EXPECT_TRUE(RowIs(image, plot.Top - 1, middle, plot.Right - 1, White));
        EXPECT_TRUE(ColumnIs(image, plot.Right, plot.Top, plot.Top + 6, Black));
        EXPECT_TRUE(ColumnIs(image, plot.Right + 1, plot.Top, plot.Bottom + 1, Black));
        EXPECT_FALSE(ColumnIs(image, plot.Right + 2, plot.Top, plot.Bottom, Black));
        EXPECT_FALSE(ColumnIs(image, plot.Right - 1, plot.Top + 1, plot.Top + 6, Black));
        EXPECT_TRUE(RowIs(image, plot.Bottom + 1, plot.Left, plot.Right + 1, Black));
        EXPECT_FALSE(RowIs(image, plot.Bottom + 2, plot.Left, plot.Right, Black));
        EXPECT_TRUE(ColumnIs(image, plot.Left, plot.Top, plot.Top + 3, Black));
    }
    // Without a line nothing covers the frame anywhere.
    const TChartPicture empty = testing::Render(testing::BalanceReport(10000, {}));
    const TPixelRect plot = empty.Plot;
    EXPECT_TRUE(RowIs(empty.Image, plot.Bottom, plot.Left, plot.Right + 1, Black));
    EXPECT_TRUE(ColumnIs(empty.Image, plot.Right, plot.Top, plot.Bottom + 1, Black));
    EXPECT_TRUE(ColumnIs(empty.Image, plot.Left, plot.Top, plot.Bottom + 1, Black));
    EXPECT_FALSE(ColumnIs(empty.Image, plot.Left + 1, plot.Top + 1, plot.Bottom - 1, Black));
    EXPECT_FALSE(RowIs(empty.Image, plot.Bottom - 1, plot.Left + 1, plot.Right - 1, Black));
}

TEST(ChartPicture, HasDottedGreyGridLinesBothWaysEvenWithoutBalanceRows) {
    for (const TCurve& curve : Curves()) {
        SCOPED_TRACE(curve.Name);
        const TChartPicture picture = testing::Render(curve.Report);
        EXPECT_GE(DottedGridLines(picture.Image, picture.Plot, true), 1);
        EXPECT_GE(DottedGridLines(picture.Image, picture.Plot, false), 1);
    }
}

// Whether a black pixel outside the frame, axes and ticks lies in a label's box.
bool InSomeLabel(const TChartPicture& picture, int x, int y) {
    return std::any_of(picture.Labels.begin(), picture.Labels.end(), [&](const TChartLabel& label) {
        return Intersects(label.Box, TPixelRect{x, y, x, y});
    });
}

// What every platform's text drawing must keep to: labels wholly inside the
// margins, clear of the plot, and their ink where the layout put their boxes.
TEST(ChartPicture, LabelsLieInsideTheMarginsAndTheirInkInsideTheirBoxes) {
    for (const TCurve& curve : Curves()) {
        SCOPED_TRACE(curve.Name);
        const TChartPicture picture = testing::Render(curve.Report);
        const TPixelRect plot = picture.Plot;
        ASSERT_GE(picture.Labels.size(), 2u);
        for (const TChartLabel& label : picture.Labels) {
            SCOPED_TRACE(label.Text);
            EXPECT_GE(label.Box.Left, 8);
            EXPECT_GE(label.Box.Top, 10);
            EXPECT_LE(label.Box.Right, 803);
            EXPECT_LE(label.Box.Bottom, 199);
            EXPECT_TRUE(label.Box.Left > plot.Right + 1 || label.Box.Top > plot.Bottom + 1);
        }
        const TPixelRect axes{plot.Left, plot.Top, plot.Right + 4, plot.Bottom + 4};
        int labelInk = 0;
        for (int y = 0; y < 200; ++y) {
            for (int x = 0; x < 820; ++x) {
                if (Intersects(axes, {x, y, x, y}) ||
                    testing::PixelOf(picture.Image, x, y) != Black)
                    continue;
                ASSERT_TRUE(InSomeLabel(picture, x, y)) << "ink at " << x << ", " << y;
                ++labelInk;
            }
        }
        EXPECT_GE(labelInk, 10 * int(picture.Labels.size()));
    }
}

// The row at which the picture shows a value, as the plot maps it.
double RowOf(const TPixelRect& plot, TChartRange range, double value) {
    return plot.Bottom - (value - range.Min) * (plot.Bottom - plot.Top) / (range.Max - range.Min);
}

TEST(ChartPicture, LineStartsAtTheLeftEndAtTheDepositAndSpansTheWidenedRange) {
    const TMT4TestReport report =
        testing::BalanceReport(10000, {10500, 11000, 12000, 11500, 10200});
    const TChartPicture picture = testing::Render(report);
    const TPixelRect plot = picture.Plot;
    const TChartRange range{9920, 12160};
    // Two pixels thick, centred on the value's row.
    const auto near = [](const std::vector<int>& rows, double row) {
        return !rows.empty() && std::abs((rows.front() + rows.back()) / 2.0 - row) <= 1.0;
    };
    const std::vector<int> first = testing::RowsOf(picture.Image, plot.Left, Blue);
    EXPECT_TRUE(near(first, RowOf(plot, range, 10000)));
    EXPECT_TRUE(testing::RowsOf(picture.Image, plot.Left - 2, Blue).empty());
    const std::vector<int> last = testing::RowsOf(picture.Image, plot.Right - 1, Blue);
    EXPECT_TRUE(near(last, RowOf(plot, range, 10200)));
    // Nothing above 12000 and nothing below 10000: the range is 9920 to 12160.
    int top = 200, bottom = 0;
    for (int x = plot.Left; x <= plot.Right + 1; ++x) {
        for (const int y : testing::RowsOf(picture.Image, x, Blue)) {
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    EXPECT_NEAR(top, RowOf(plot, range, 12000) - 1, 1.0);
    EXPECT_NEAR(bottom, RowOf(plot, range, 10000), 1.0);
}

TEST(ChartPicture, LineIsTwoPixelsThick) {
    // Level stretches of the line: two blue rows in every column they cross.
    const TChartPicture picture =
        testing::Render(testing::BalanceReport(10000, {10000, 10000, 12000, 12000, 12000, 11000}));
    const TPixelRect plot = picture.Plot;
    const double step = (plot.Right - plot.Left) / 6.0;
    for (const double x : {0.5 * step, 1.5 * step, 3.5 * step}) {
        const std::vector<int> rows = testing::RowsOf(picture.Image, plot.Left + int(x), Blue);
        ASSERT_EQ(rows.size(), 2u) << "at x " << x;
        EXPECT_EQ(rows[1], rows[0] + 1);
    }
}

TEST(ChartPicture, FlatCurveRunsAlongTheBottomEdge) {
    for (const double value : {10000.0, 0.0, -250.5, 1e8}) {
        SCOPED_TRACE(value);
        const TChartPicture picture =
            testing::Render(testing::BalanceReport(value, {value, value, value}));
        const TPixelRect plot = picture.Plot;
        for (int x = plot.Left + 1; x < plot.Right; x += 37) {
            const std::vector<int> rows = testing::RowsOf(picture.Image, x, Blue);
            ASSERT_FALSE(rows.empty());
            EXPECT_GE(rows.front(), plot.Bottom - 1);
            EXPECT_LE(rows.back(), plot.Bottom + 1);
        }
    }
}

TEST(ChartPicture, ExtremeValuesStillGiveAPicture) {
    const double big = std::numeric_limits<double>::max();
    for (const std::vector<double>& balances :
         {std::vector<double>{big, -big, big}, std::vector<double>{1e300, 1e300 + 1e290}}) {
        const std::vector<double> points = BalancePoints(testing::BalanceReport(0, balances));
        const TRgbImage image = RenderBalanceChart(points, WidenedRange(FittedRange(points))).Image;
        EXPECT_EQ(image.Width, 820);
        EXPECT_EQ(image.Height, 200);
        EXPECT_TRUE(testing::ColoursOf(image).count(Black));
    }
}

// Pixels in which two pictures differ.
int Differences(const TRgbImage& a, const TRgbImage& b) {
    int differences = 0;
    for (int y = 0; y < a.Height; ++y) {
        for (int x = 0; x < a.Width; ++x)
            differences += testing::PixelOf(a, x, y) != testing::PixelOf(b, x, y);
    }
    return differences;
}

TEST(ChartPicture, ColumnEnvelopeDrawsNearlyTheSamePixelsAsTheFullLine) {
    struct TCase {
        int Points;
        double MaxShare;  // of the full line's blue pixels that may differ
    };
    for (const TCase c : {TCase{300, 0.0}, TCase{3000, 0.0}, TCase{30000, 0.02}}) {
        for (const unsigned seed : {11u, 12u}) {
            SCOPED_TRACE(std::to_string(c.Points) + " points, seed " + std::to_string(seed));
            std::vector<double> points = testing::RandomWalk(c.Points, 10000, 0.3, 30, seed);
            points.insert(points.begin(), 10000);
            const TChartRange range = WidenedRange(FittedRange(points));
            const TRgbImage envelope = RenderBalanceChart(points, range).Image;
            const TRgbImage full =
                RenderBalanceChart(points, range, TLineDrawing::FullPolyline).Image;
            int blue = 0;
            for (int x = 0; x < 820; ++x) blue += int(testing::RowsOf(full, x, Blue).size());
            EXPECT_LE(Differences(envelope, full), c.MaxShare * blue) << blue << " blue pixels";
        }
    }
}

}  // namespace
}  // namespace velquist
