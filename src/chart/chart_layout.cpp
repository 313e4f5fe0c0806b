#include "chart/chart_layout.hpp"

#include <algorithm>
#include <cmath>

#include "chart/chart_line.hpp"
#include "chart/chart_scale.hpp"

namespace velquist {
namespace {

constexpr int AxisWidth = 2;
constexpr int TickLength = 3;              // tick marks outside the axis lines
constexpr int BottomGap = 1;               // between a tick and the label below it
constexpr int RightGap = 2;                // between a tick and the label to its right
constexpr int LabelSpace = 24;             // least free room between two labels side by side
constexpr int EmptyAxisGridSpacing = 100;  // grid across a bottom axis without labels
// Labels of the vertical axis show three decimals at most: a finer step would
// repeat labels.
constexpr double FinestValueStep = 0.001;

// The right axis labels, centred on their rows; fixes the frame's right side
// from their widest text.
void PlaceRightLabels(TChartLayout& layout, TChartRange yRange, const TChartText& text) {
    TPixelRect& plot = layout.Plot;
    const int textHeight = text.LineHeight;
    const std::vector<double> values =
        AxisTicks(yRange, plot.Bottom - plot.Top, 2.0 * textHeight, FinestValueStep);
    const TPlotMapping map(plot, 1, yRange);
    int widest = 0;
    for (const double value : values) {
        TChartLabel label;
        label.Text = text.Format(value);
        label.Position = static_cast<int>(std::lround(map.Y(value)));
        widest = std::max(widest, text.Advance(label.Text));
        layout.Right.push_back(label);
    }
    const int labelLeft = ChartWidth - ChartMarginRight - widest;
    plot.Right = labelLeft - RightGap - TickLength - AxisWidth;
    for (TChartLabel& label : layout.Right) {
        label.Box = RectOfSize(labelLeft, label.Position - textHeight / 2, widest, textHeight);
        label.Origin = {labelLeft, label.Box.Top + text.Ascent};
    }
}

bool Overlaps(const TPixelRect& box, const std::vector<TChartLabel>& labels) {
    return std::any_of(labels.begin(), labels.end(),
                       [&](const TChartLabel& other) { return Intersects(other.Box, box); });
}

// The bottom axis labels, centred on their columns; a label that would leave
// the picture's margins or touch another label is left out.
void PlaceBottomLabels(TChartLayout& layout, std::size_t pointCount, const TChartText& text) {
    const TPixelRect& plot = layout.Plot;
    const double xMax = pointCount > 1 ? static_cast<double>(pointCount - 1) : 0;
    const int spacing = text.Advance(text.Format(xMax)) + LabelSpace;
    // The x values count trades: steps below 1 make no sense.
    const std::vector<double> values = AxisTicks({0, xMax}, plot.Right - plot.Left, spacing, 1);
    const TPlotMapping map(plot, std::max(xMax, 1.0), {});
    const int top = plot.Bottom + AxisWidth + TickLength + BottomGap;
    for (const double value : values) {
        TChartLabel label;
        label.Text = text.Format(value);
        label.Position = static_cast<int>(std::lround(map.X(value)));
        // Centred by its ink, not its advance, which has a blank edge on the right.
        const TPixelRect ink = text.InkBox(label.Text);
        const int textLeft = label.Position - ink.Left - ink.Width() / 2;
        label.Box = RectOfSize(textLeft + ink.Left, top, ink.Width(), text.LineHeight);
        label.Origin = {textLeft, top + text.Ascent};
        TPixelRect room = label.Box;
        room.Left -= LabelSpace / 2;
        room.Right += LabelSpace / 2;
        if (label.Box.Left < ChartMarginLeft || label.Box.Right >= ChartWidth - ChartMarginRight ||
            Overlaps(room, layout.Bottom) || Overlaps(label.Box, layout.Right)) {
            continue;
        }
        layout.Bottom.push_back(label);
    }
}

// Grid lines go at the labels. An axis with a single label (a flat curve, or
// no trade at all) would have no grid line inside the plot; it gets evenly
// spaced ones instead, so that the picture still reads as a chart.
std::vector<int> GridPositions(const std::vector<TChartLabel>& labels, int from, int to,
                               int spacing) {
    std::vector<int> positions;
    if (labels.size() >= 2) {
        for (const TChartLabel& label : labels) positions.push_back(label.Position);
        return positions;
    }
    const int parts = std::max(1, (to - from) / spacing);
    for (int k = 1; k < parts; ++k) positions.push_back(from + (to - from) * k / parts);
    return positions;
}

// Dotted grid lines, one pixel of every two, across the plot inside the frame.
void PlaceGridDots(TChartLayout& layout) {
    const TPixelRect& plot = layout.Plot;
    for (const int column : layout.GridColumns) {
        if (column <= plot.Left || column >= plot.Right) continue;
        for (int y = plot.Top + 2; y < plot.Bottom; y += 2) layout.GridDots.push_back({column, y});
    }
    for (const int row : layout.GridRows) {
        if (row <= plot.Top || row >= plot.Bottom) continue;
        for (int x = plot.Left + 2; x < plot.Right; x += 2) layout.GridDots.push_back({x, row});
    }
}

// The 1-pixel frame, then the 2-pixel axis lines over its bottom and right
// sides, and the tick marks outside them.
void PlaceFrameAndAxes(TChartLayout& layout) {
    const TPixelRect& plot = layout.Plot;
    std::vector<TPixelRect>& black = layout.Black;
    black.push_back(RectOfSize(plot.Left, plot.Top, plot.Width(), 1));
    black.push_back(RectOfSize(plot.Left, plot.Top, 1, plot.Height()));
    black.push_back(RectOfSize(plot.Left, plot.Bottom, plot.Width() + 1, AxisWidth));
    black.push_back(RectOfSize(plot.Right, plot.Top, AxisWidth, plot.Height() + 1));
    for (const TChartLabel& label : layout.Bottom) {
        black.push_back(RectOfSize(label.Position, plot.Bottom + AxisWidth, 1, TickLength));
    }
    for (const TChartLabel& label : layout.Right) {
        black.push_back(RectOfSize(plot.Right + AxisWidth, label.Position, TickLength, 1));
    }
}

}  // namespace

TChartLayout PlaceChart(std::size_t pointCount, TChartRange yRange, const TChartText& text) {
    TChartLayout layout;
    const int textHeight = text.LineHeight;
    // Room for half a label beside the frame where a label may be centred on
    // its corner: the first bottom label is always "0" at the left end.
    const int left = ChartMarginLeft + text.InkBox(text.Format(0)).Width() / 2;
    const int top = ChartMarginTop + textHeight / 2;
    const int bottom =
        ChartHeight - ChartMarginBottom - textHeight - BottomGap - TickLength - AxisWidth;
    layout.Plot = {left, top, left, bottom};
    PlaceRightLabels(layout, yRange, text);
    PlaceBottomLabels(layout, pointCount, text);
    const TPixelRect& plot = layout.Plot;
    layout.GridRows = GridPositions(layout.Right, plot.Top, plot.Bottom, 2 * textHeight);
    layout.GridColumns = GridPositions(layout.Bottom, plot.Left, plot.Right, EmptyAxisGridSpacing);
    PlaceGridDots(layout);
    PlaceFrameAndAxes(layout);
    return layout;
}

std::vector<TChartLabel> LabelsOf(const TChartLayout& layout) {
    std::vector<TChartLabel> labels = layout.Right;
    labels.insert(labels.end(), layout.Bottom.begin(), layout.Bottom.end());
    return labels;
}

}  // namespace velquist
