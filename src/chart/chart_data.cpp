#include "chart/chart_data.hpp"

#include <algorithm>

namespace velquist {

std::vector<double> BalancePoints(const TMT4TestReport& report) {
    std::vector<double> values;
    values.reserve(static_cast<std::size_t>(report.Operations.Count()) + 1);
    values.push_back(report.InitialDeposit);
    for (const TOperation& op : report.Operations) {
        if (op.HasBalance) values.push_back(op.Balance);
    }
    return values;
}

TChartRange FittedRange(const std::vector<double>& values) {
    if (values.empty()) return {};
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    return {*low, *high};
}

TChartRange WidenedRange(TChartRange fitted) {
    const double s = (fitted.Max - fitted.Min) / 100;
    TChartRange widened{fitted.Min - 4 * s, fitted.Max + 8 * s};
    if (widened.Max - widened.Min < 1e-10) widened.Max = widened.Min + 1e-10;
    return widened;
}

}  // namespace velquist
