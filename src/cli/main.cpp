// The program's entry: installs the cleanup of temporary files, picks the
// chart step of this build and forwards the arguments to RunCli. On Windows it
// takes the arguments as UTF-16 and hands them on as UTF-8.
#include <iostream>
#include <string>
#include <vector>

#include "base/signal_cleanup.hpp"
#include "cli/cli.hpp"

#ifdef VELQUIST_WITH_CHART
#include "base/globals.hpp"
#include "chart/chart_step.hpp"
#endif

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

#include "base/system_text.hpp"
#endif

namespace {

int Run(const std::vector<std::string>& args) {
    // Ctrl-C or SIGTERM during a merge removes its temporary files.
    velquist::RemoveTemporaryFilesOnSignals();
    velquist::TChartStep chartStep;  // none: such a build refuses to merge
#ifdef VELQUIST_WITH_CHART
    chartStep = velquist::BalanceChartStep(velquist::GetTempDir());
#endif
    return velquist::RunCli(args, std::cout, std::cerr, chartStep);
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(velquist::WideToUtf8(argv[i]));
    // Output bytes as on Linux: no "\n" turned into "\r\n" (--inspect's JSON).
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
    // Messages name files in UTF-8; the console shows them right in its UTF-8
    // code page, which is given back afterwards.
    const UINT codePage = ::GetConsoleOutputCP();
    if (codePage != 0) ::SetConsoleOutputCP(CP_UTF8);
    const int result = Run(args);
    std::cout.flush();
    std::cerr.flush();
    if (codePage != 0) ::SetConsoleOutputCP(codePage);
    return result;
}
#else
int main(int argc, char** argv) { return Run(std::vector<std::string>(argv + 1, argv + argc)); }
#endif
