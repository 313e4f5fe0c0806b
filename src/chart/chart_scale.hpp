// Where an axis of the balance chart gets its labels: at the multiples of a
// "nice" step (1, 2 or 5 times a power of ten) that lie within the axis range,
// with the step chosen so that labels keep a least distance on screen. Pure
// arithmetic; knows nothing of fonts or drawing.
#pragma once

#include <vector>

#include "chart/chart_data.hpp"

namespace velquist {

// The smallest nice step of at least minStep that puts consecutive labels at
// least minSpacing pixels apart on an axis `pixels` long showing `range`;
// minStep itself for an empty range or one that gives no finite step.
double NiceStep(TChartRange range, double pixels, double minSpacing, double minStep);

// The multiples of NiceStep(...) within the range, ascending. When none falls
// within it (a range narrower than the step), the range's lower end alone, so
// that the axis always shows a value. Empty only for a range whose ends are
// not finite numbers.
std::vector<double> AxisTicks(TChartRange range, double pixels, double minSpacing, double minStep);

}  // namespace velquist
