// Drawing of the balance chart with Qt Gui: measures the label texts in Arial
// 8 pt and draws what the shared layout places (an 820 x 200 picture on white
// with a black plot frame, 2-pixel axes along the bottom and the right, value
// labels, dotted grey grid lines and the balance line in one blue), all
// without antialiasing so that the picture holds only those few colours.
// Draws in memory only; saving the picture and the GIF are the caller's.
// Needs a QGuiApplication for the font.
#pragma once

#include <QImage>
#include <QLocale>
#include <QRect>
#include <QString>
#include <vector>

#include "chart/chart_data.hpp"
#include "chart/chart_layout.hpp"
#include "chart/chart_line.hpp"
#include "output/image_types.hpp"

namespace velquist {

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
