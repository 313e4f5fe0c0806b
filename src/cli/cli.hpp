// velquist-merge, the command-line front end: the window's merge job for batch
// use, plus --inspect and --languages. main() only forwards to RunCli.
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "job/merge_job.hpp"
#include "system/standard_output.hpp"

namespace velquist {

// Exit codes.
inline constexpr int ExitSuccess = 0;
inline constexpr int ExitError = 1;
inline constexpr int ExitRefused = 2;

// Makes the step that draws the merged report's GIF, starting what drawing
// needs (Qt); throws an Error, whose text is told, when drawing cannot start.
// Called once a merge is asked for and not refused, before anything is read
// or written.
using TChartSetUp = std::function<TChartStep()>;

// args excludes the program name. Without a chart set-up, merges fail (a
// build without the chart).
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const TChartSetUp& chartSetUp = {});

// The exit code once standard output and standard error are flushed: a
// failed write of either turns a success into an error (exit 1), told on
// standard error when it can still take it; another exit code stays.
int ExitCodeAfterOutput(int code, TStandardOutputBuffer& out, TStandardOutputBuffer& err);

}  // namespace velquist
