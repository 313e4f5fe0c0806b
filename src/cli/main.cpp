// The program's entry: sets up standard output and error so that a failed
// write is told, installs the cleanup of temporary files, picks the chart
// set-up of this build, forwards the arguments to RunCli and exits with its
// code unless the output failed. On Windows it takes the arguments as UTF-16
// and hands them on as UTF-8.
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli.hpp"
#include "system/signal_cleanup.hpp"
#include "system/standard_output.hpp"

#ifdef VELQUIST_WITH_CHART
#include "chart/chart_step.hpp"
#include "system/temporary_file.hpp"
#endif

#ifdef _WIN32
#include <windows.h>

#include "system/system_text.hpp"
#endif

namespace {

int Run(const std::vector<std::string>& args) {
    // First, before any file is opened: a stream the program was started with
    // closed must not lend its number to one.
    velquist::TStandardOutputBuffer outBuffer(velquist::TStandardStream::Output);
    velquist::TStandardOutputBuffer errBuffer(velquist::TStandardStream::Error);
    std::ostream out(&outBuffer);
    std::ostream err(&errBuffer);
    // Ctrl-C or SIGTERM during a merge removes its temporary files.
    velquist::RemoveTemporaryFilesOnSignals();
    velquist::TChartSetUp chartSetUp;  // none: such a build refuses to merge
#ifdef VELQUIST_WITH_CHART
    chartSetUp = [] { return velquist::BalanceChartStep(velquist::GetTempDir()); };
#endif
    const int code = velquist::RunCli(args, out, err, chartSetUp);
    return velquist::ExitCodeAfterOutput(code, outBuffer, errBuffer);
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(velquist::WideToUtf8(argv[i]));
    // Output goes to the standard handles as bytes, as on Linux: no "\n"
    // turned into "\r\n" (--inspect's JSON). Messages name files in UTF-8; the console shows them
    // right in its UTF-8 code page, which is given back afterwards.
    const UINT codePage = ::GetConsoleOutputCP();
    if (codePage != 0) ::SetConsoleOutputCP(CP_UTF8);
    const int result = Run(args);
    if (codePage != 0) ::SetConsoleOutputCP(codePage);
    return result;
}
#else
int main(int argc, char** argv) { return Run(std::vector<std::string>(argv + 1, argv + argc)); }
#endif
