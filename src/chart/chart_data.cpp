#include "chart/chart_data.hpp"

#include <algorithm>
#include <filesystem>
#include <system_error>

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

namespace {

std::filesystem::path PathOf(const std::string& name) {
#ifdef _WIN32
    // Names are UTF-8 inside the program; a narrow path would be read in the
    // ANSI code page.
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
#else
    return name;
#endif
}

}  // namespace

bool IsSameFile(const std::string& a, const std::string& b) {
    if (a == b) return true;
    std::error_code error;
    return std::filesystem::equivalent(PathOf(a), PathOf(b), error) && !error;
}

}  // namespace velquist
