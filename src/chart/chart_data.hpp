// What the balance chart shows, computed from a report without drawing: the
// balance values in trade order, the vertical range fitted to them and the
// widened range the picture uses, and the file names of one chart. Pure
// functions; no Qt, no files written.
#pragma once

#include <string>
#include <vector>

#include "model/report.hpp"

namespace velquist {

// A closed range of values on one axis.
struct TChartRange {
    double Min = 0;
    double Max = 0;

    friend bool operator==(const TChartRange&, const TChartRange&) = default;
};

// The y values of the chart's points; point k lies at x = k. The first is the
// initial deposit, then one per operation with a balance, in list order, so
// operations without a balance leave no gap in x.
std::vector<double> BalancePoints(const TMT4TestReport& report);

// From the smallest to the largest value; {0, 0} for no values.
TChartRange FittedRange(const std::vector<double>& values);

// The fitted range with 4 % of its span added below and 8 % above, so that the
// curve never touches the frame; a range narrower than 1e-10 (a flat curve)
// gets its upper end at the lower end plus 1e-10. For values so large that
// adding 1e-10 changes nothing the range stays empty: the drawing copes.
TChartRange WidenedRange(TChartRange fitted);

}  // namespace velquist
