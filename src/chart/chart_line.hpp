// The balance line of the chart: the mapping of values onto the plot frame's
// pixels and the drawing of the line, reduced to a column envelope so that
// hundreds of thousands of points cost about as much as a thousand. Internal
// to the chart drawing.
#pragma once

#include <QPainter>
#include <QPointF>
#include <QRect>
#include <vector>

#include "chart/chart_data.hpp"
#include "chart/chart_render.hpp"

namespace velquist {

// Values onto pixels: x from 0 to XMax across the frame from left to right,
// y over YRange from the frame's bottom row up to its top row.
class TPlotMapping {
  public:
    TPlotMapping(QRect plot, double xMax, TChartRange yRange);
    double X(double x) const;
    // Values outside the range land at most one plot height beyond the frame,
    // so that no pixel coordinate overflows; an empty range maps to the bottom.
    double Y(double value) const;

  private:
    QRect plot_;
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
std::vector<QPointF> ColumnEnvelope(const std::vector<double>& points, const TPlotMapping& map);

// Draws the line through the points (point k at x = k), 2 pixels wide, in
// ChartLineColour, without markers.
void DrawBalanceLine(QPainter& painter, const std::vector<double>& points, const TPlotMapping& map,
                     TLineDrawing drawing);

}  // namespace velquist
