#include <iostream>
#include <string>
#include <vector>

#include "base/signal_cleanup.hpp"
#include "cli/cli.hpp"

#ifdef VELQUIST_WITH_CHART
#include "base/globals.hpp"
#include "chart/chart_step.hpp"
#endif

int main(int argc, char** argv) {
    // Ctrl-C or SIGTERM during a merge removes its temporary files.
    velquist::RemoveTemporaryFilesOnSignals();
    const std::vector<std::string> args(argv + 1, argv + argc);
    velquist::TChartStep chartStep;  // none: such a build refuses to merge
#ifdef VELQUIST_WITH_CHART
    chartStep = velquist::BalanceChartStep(velquist::GetTempDir());
#endif
    return velquist::RunCli(args, std::cout, std::cerr, chartStep);
}
