#include "chart/chart_scale.hpp"

#include <cmath>

namespace velquist {
namespace {

// More labels than any axis of the picture can show: guards against ranges
// that would make the loop below run (nearly) forever.
constexpr double MaxTicks = 1000;

}  // namespace

double NiceStep(TChartRange range, double pixels, double minSpacing, double minStep) {
    const double span = range.Max - range.Min;
    if (!(span > 0) || !std::isfinite(span) || !(pixels > 0)) return minStep;
    const double least = span * minSpacing / pixels;
    if (!(least > minStep)) return minStep;
    double power = std::pow(10.0, std::floor(std::log10(least)));
    for (;;) {
        for (const double factor : {1.0, 2.0, 5.0}) {
            if (factor * power >= least) return factor * power;
        }
        power *= 10;
    }
}

std::vector<double> AxisTicks(TChartRange range, double pixels, double minSpacing, double minStep) {
    if (!std::isfinite(range.Min) || !std::isfinite(range.Max)) return {};
    const double step = NiceStep(range, pixels, minSpacing, minStep);
    // A little slack so that an end lying on a multiple is not lost to rounding.
    const double first = std::ceil(range.Min / step - 1e-9);
    const double last = std::floor(range.Max / step + 1e-9);
    std::vector<double> ticks;
    if (first <= last && last - first < MaxTicks) {
        // Counted in integers: for huge values first + 1 may equal first. Adding
        // 0.0 turns a -0 into 0, which would otherwise be labelled "-0".
        const int count = static_cast<int>(last - first) + 1;
        for (int i = 0; i < count; ++i) ticks.push_back((first + i) * step + 0.0);
    }
    if (ticks.empty()) ticks.push_back(range.Min);
    return ticks;
}

}  // namespace velquist
