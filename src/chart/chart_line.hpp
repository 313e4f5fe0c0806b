// The balance line of the chart: the mapping of values onto the plot frame's
// pixels and the line's points in pixels, reduced to a column envelope so that
// hundreds of thousands of points cost about as much as a thousand. No
// drawing: the platform's code strokes the polyline it gives.
#pragma once

#include <vector>

#include "chart/chart_data.hpp"
#include "chart/chart_pixels.hpp"

namespace velquist {

// A point in pixels, between pixel centres as much as on them.
struct TLinePoint {
    double X = 0;
    double Y = 0;
};

// How the balance line is drawn. ColumnEnvelope keeps per quarter pixel column
// only the first, lowest, highest and last point, which gives nearly the full
// line's pixels at a cost bound by the picture's width; FullPolyline draws
// every segment (slow beyond some ten thousand points; kept for comparison).
enum class TLineDrawing { ColumnEnvelope, FullPolyline };

// Values onto pixels: x from 0 to XMax across the frame from left to right,
// y over YRange from the frame's bottom row up to its top row.
class TPlotMapping {
  public:
    TPlotMapping(TPixelRect plot, double xMax, TChartRange yRange);
    double X(double x) const;
    // Values outside the range land at most one plot height beyond the frame,
    // so that no pixel coordinate overflows; an empty range maps to the bottom.
    double Y(double value) const;

  private:
    TPixelRect plot_;
    double xScale_;
    long double yMin_;
    long double yScale_;
};

// The points in device pixels, keeping per quarter of a pixel column only the
// first, the lowest, the highest and the last point, in their order. Drawn as
// a polyline this covers nearly the pixels that all the points would: within
// each quarter column the line's vertical extent is the same and the segments
// between quarters are the original ones; only the strokes inside a quarter
// differ (about 1 % of the line's pixels on dense random curves).
std::vector<TLinePoint> ColumnEnvelope(const std::vector<double>& points, const TPlotMapping& map);

// The polyline of the balance (point k at x = k) across the plot frame; fewer
// than two points show no line.
std::vector<TLinePoint> BalanceLine(const std::vector<double>& points, TPixelRect plot,
                                    TChartRange yRange, TLineDrawing drawing);

}  // namespace velquist
