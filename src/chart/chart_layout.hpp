// Where everything of the balance chart goes, worked out before any drawing:
// the plot frame, the axis lines and tick marks, the value labels (texts,
// boxes, baselines) and the dotted grid, in pixels of the 820 x 200 picture.
// The platform's drawing code formats and measures label texts through
// TChartText, then only draws what the layout says; so every platform places
// the picture alike. No toolkit and no pixels here.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "chart/chart_data.hpp"
#include "chart/chart_pixels.hpp"
#include "image/image_types.hpp"

namespace velquist {

inline constexpr int ChartWidth = 820;
inline constexpr int ChartHeight = 200;
// Outer margins: 1 % of the width on the left, 5 % of the height on top, 2 %
// of the width on the right, nothing below.
inline constexpr int ChartMarginLeft = 8;
inline constexpr int ChartMarginTop = 10;
inline constexpr int ChartMarginRight = 16;
inline constexpr int ChartMarginBottom = 0;

inline constexpr TRgbColour ChartInkColour{0, 0, 0};
inline constexpr TRgbColour ChartGroundColour{255, 255, 255};
inline constexpr TRgbColour ChartLineColour{0, 0, 176};
inline constexpr TRgbColour ChartGridColour{204, 204, 204};

// How the platform writes and measures label texts (UTF-8), in the label
// font of 8 points at 96 dots per inch.
struct TChartText {
    int LineHeight = 0;
    int Ascent = 0;
    // The value in the pattern "#,##0.###" with the user's locale separators.
    std::function<std::string(double)> Format;
    std::function<int(const std::string&)> Advance;
    // The pixels the text inks, relative to its origin on the baseline.
    std::function<TPixelRect(const std::string&)> InkBox;
};

struct TChartLabel {
    std::string Text;
    int Position = 0;    // pixel column (bottom axis) or row (right axis) of the tick
    TPixelRect Box;      // the room the text takes: its ink across, its line height down
    TPixelPoint Origin;  // where the text starts, on its baseline
};

struct TChartLayout {
    // The plot frame: the axis lines cover the rows Bottom and Bottom + 1 and
    // the columns Right and Right + 1.
    TPixelRect Plot;
    std::vector<TChartLabel> Right;
    std::vector<TChartLabel> Bottom;
    std::vector<int> GridColumns;
    std::vector<int> GridRows;
    std::vector<TPixelRect> Black;      // frame, axis lines and tick marks, filled
    std::vector<TPixelPoint> GridDots;  // the dotted grid lines' pixels
};

// The layout of a chart of pointCount points (point k at x = k) over the
// vertical range yRange.
TChartLayout PlaceChart(std::size_t pointCount, TChartRange yRange, const TChartText& text);

// The labels of both axes, the right axis's first.
std::vector<TChartLabel> LabelsOf(const TChartLayout& layout);

}  // namespace velquist
