// Drawing of the balance chart with Qt Gui: an 820 x 200 picture on white with
// a black plot frame, a 2-pixel black axis along the bottom and the right,
// value labels below and to the right, dotted grey grid lines at the labels
// and the balance line in one blue, all without antialiasing so that the
// picture holds only those few colours. Draws in memory only; saving the
// picture and the GIF are the caller's. Needs a QGuiApplication for the font.
#pragma once

#include <QImage>
#include <QLocale>
#include <QRect>
#include <QString>
#include <vector>

#include "chart/chart_data.hpp"
#include "output/image_types.hpp"

namespace velquist {

inline constexpr int ChartWidth = 820;
inline constexpr int ChartHeight = 200;
// Outer margins: 1 % of the width on the left, 5 % of the height on top, 2 %
// of the width on the right, nothing below.
inline constexpr int ChartMarginLeft = 8;
inline constexpr int ChartMarginTop = 10;
inline constexpr int ChartMarginRight = 16;
inline constexpr int ChartMarginBottom = 0;

inline constexpr QRgb ChartLineColour = 0xFF0000B0;  // RGB (0, 0, 176)
inline constexpr QRgb ChartGridColour = 0xFFCCCCCC;  // RGB (204, 204, 204)

// How the balance line is drawn. ColumnEnvelope keeps per quarter pixel column
// only the first, lowest, highest and last point, which gives nearly the full
// line's pixels at a cost bound by the picture's width; FullPolyline draws
// every segment (slow beyond some ten thousand points; kept for comparison).
enum class TLineDrawing { ColumnEnvelope, FullPolyline };

struct TChartPicture {
    QImage Image;  // ChartWidth x ChartHeight, QImage::Format_RGB32
    // The plot frame: its left and right pixel columns are Plot.left() and
    // Plot.right(), its top and bottom rows Plot.top() and Plot.bottom(). The
    // axis lines cover the rows bottom() and bottom() + 1 and the columns
    // right() and right() + 1. Point k of n + 1 lies at x = left() + k *
    // (right() - left()) / max(n, 1); a value v at y = bottom() - (v - Min) *
    // (bottom() - top()) / (Max - Min), or at bottom() when Max <= Min.
    QRect Plot;
};

// The chart of the points (point k at x = k) over the vertical range yRange;
// the horizontal range is 0 to the last point's x.
TChartPicture RenderBalanceChart(const std::vector<double>& points, TChartRange yRange,
                                 TLineDrawing drawing = TLineDrawing::ColumnEnvelope);

// A label in the pattern "#,##0.###": digit grouping, at most three decimals
// with trailing zeros dropped, in the locale's separators and digits.
QString FormatChartLabel(double value, QLocale locale);

// The picture's pixels as red, green, blue bytes.
TRgbImage ToRgbImage(const QImage& image);

}  // namespace velquist
