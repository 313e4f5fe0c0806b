#include "chart/chart_line.hpp"

#include <algorithm>
#include <array>
#include <cmath>

namespace velquist {

TPlotMapping::TPlotMapping(TPixelRect plot, double xMax, TChartRange yRange)
    : plot_(plot), xScale_(xMax > 0 ? (plot.Right - plot.Left) / xMax : 0), yMin_(yRange.Min) {
    // In long double: the span of two finite doubles may overflow a double.
    const long double span = static_cast<long double>(yRange.Max) - yMin_;
    yScale_ = span > 0 && std::isfinite(span) ? (plot.Bottom - plot.Top) / span : 0;
}

double TPlotMapping::X(double x) const { return plot_.Left + x * xScale_; }

double TPlotMapping::Y(double value) const {
    const long double height = plot_.Bottom - plot_.Top;
    long double up = (value - yMin_) * yScale_;
    if (!std::isfinite(up)) up = 0;
    return static_cast<double>(plot_.Bottom - std::clamp(up, -height, 2 * height));
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
             std::vector<TLinePoint>& out) {
    std::array<std::size_t, 4> kept{bin.First, bin.Lowest, bin.Highest, bin.Last};
    std::sort(kept.begin(), kept.end());
    for (std::size_t i = 0; i < kept.size(); ++i) {
        if (i > 0 && kept[i] == kept[i - 1]) continue;
        out.push_back({map.X(static_cast<double>(kept[i])), map.Y(points[kept[i]])});
    }
}

}  // namespace

std::vector<TLinePoint> ColumnEnvelope(const std::vector<double>& points, const TPlotMapping& map) {
    std::vector<TLinePoint> out;
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

std::vector<TLinePoint> BalanceLine(const std::vector<double>& points, TPixelRect plot,
                                    TChartRange yRange, TLineDrawing drawing) {
    const double xMax = points.size() > 1 ? static_cast<double>(points.size() - 1) : 1;
    const TPlotMapping map(plot, xMax, yRange);
    std::vector<TLinePoint> line;
    if (drawing == TLineDrawing::ColumnEnvelope) {
        line = ColumnEnvelope(points, map);
    } else {
        line.reserve(points.size());
        for (std::size_t i = 0; i < points.size(); ++i) {
            line.push_back({map.X(static_cast<double>(i)), map.Y(points[i])});
        }
    }
    if (line.size() < 2) line.clear();  // a single point shows no line
    return line;
}

}  // namespace velquist
