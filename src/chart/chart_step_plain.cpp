#include "chart/balance_chart.hpp"
#include "chart/chart_step.hpp"

namespace velquist {

// GDI and the browser edition's own drawing need no application object:
// the step only draws.
std::function<std::function<void()>(const TMT4TestReport&)> BalanceChartStep(
    const std::string& tempPath) {
    return [tempPath](const TMT4TestReport& report) { return DrawGraphToSave(report, tempPath); };
}

}  // namespace velquist
