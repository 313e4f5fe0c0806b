// velquist-merge, the command-line front end: the window's merge job for batch
// use, plus --inspect and --languages. main() only forwards to RunCli.
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "job/merge_job.hpp"

namespace velquist {

// Exit codes.
inline constexpr int ExitSuccess = 0;
inline constexpr int ExitError = 1;
inline constexpr int ExitRefused = 2;

// args excludes the program name. chartStep draws the merged report's GIF;
// without one, merges fail (a build without the chart).
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const TChartStep& chartStep = {});

}  // namespace velquist
