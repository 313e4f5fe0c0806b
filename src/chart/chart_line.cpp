#include "chart/chart_line.hpp"

#include <QPen>
#include <algorithm>
#include <array>
#include <cmath>

namespace velquist {

TPlotMapping::TPlotMapping(QRect plot, double xMax, TChartRange yRange)
    : plot_(plot), xScale_(xMax > 0 ? (plot.right() - plot.left()) / xMax : 0), yMin_(yRange.Min) {
    // In long double: the span of two finite doubles may overflow a double.
    const long double span = static_cast<long double>(yRange.Max) - yMin_;
    yScale_ = span > 0 && std::isfinite(span) ? (plot.bottom() - plot.top()) / span : 0;
}

double TPlotMapping::X(double x) const { return plot_.left() + x * xScale_; }

double TPlotMapping::Y(double value) const {
    const long double height = plot_.bottom() - plot_.top();
    long double up = (value - yMin_) * yScale_;
    if (!std::isfinite(up)) up = 0;
    return static_cast<double>(plot_.bottom() - std::clamp(up, -height, 2 * height));
}

namespace {

// The envelope keeps points per quarter pixel column: a 2-pixel pen spreads a
// point into the column on its left or its right depending on where it lies
// within its own, so whole-column bins lose a pixel here and there.
constexpr double BinsPerPixel = 4;

// One bin's share of the points, by index.
struct TBin {
    std::size_t First = 0, Lowest = 0, Highest = 0, Last = 0;
};

void EmitBin(const TBin& bin, const std::vector<double>& points, const TPlotMapping& map,
             std::vector<QPointF>& out) {
    std::array<std::size_t, 4> kept{bin.First, bin.Lowest, bin.Highest, bin.Last};
    std::sort(kept.begin(), kept.end());
    for (std::size_t i = 0; i < kept.size(); ++i) {
        if (i > 0 && kept[i] == kept[i - 1]) continue;
        out.emplace_back(map.X(static_cast<double>(kept[i])), map.Y(points[kept[i]]));
    }
}

}  // namespace

std::vector<QPointF> ColumnEnvelope(const std::vector<double>& points, const TPlotMapping& map) {
    std::vector<QPointF> out;
    if (points.empty()) return out;
    TBin current;
    double bin = std::floor(map.X(0) * BinsPerPixel);
    for (std::size_t i = 1; i < points.size(); ++i) {
        const double x = std::floor(map.X(static_cast<double>(i)) * BinsPerPixel);
        if (x != bin) {
            EmitBin(current, points, map, out);
            current = TBin{i, i, i, i};
            bin = x;
            continue;
        }
        current.Last = i;
        if (points[i] < points[current.Lowest]) current.Lowest = i;
        if (points[i] > points[current.Highest]) current.Highest = i;
    }
    EmitBin(current, points, map, out);
    return out;
}

void DrawBalanceLine(QPainter& painter, const std::vector<double>& points, const TPlotMapping& map,
                     TLineDrawing drawing) {
    std::vector<QPointF> line;
    if (drawing == TLineDrawing::ColumnEnvelope) {
        line = ColumnEnvelope(points, map);
    } else {
        line.reserve(points.size());
        for (std::size_t i = 0; i < points.size(); ++i) {
            line.emplace_back(map.X(static_cast<double>(i)), map.Y(points[i]));
        }
    }
    if (line.size() < 2) return;  // a single point shows no line
    // Round joins: a dense zigzag with mitred joins grows spikes and turns into a
    // blot much thicker than 2 pixels.
    QPen pen(QColor::fromRgb(ChartLineColour), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    painter.drawPolyline(line.data(), static_cast<int>(line.size()));
}

}  // namespace velquist
