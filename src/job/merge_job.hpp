// The merge job: from an ordered list of report files, a result file name and
// a language, the merged HTML report and its balance chart. The window and the
// command line both run it; it knows nothing of either beyond the callbacks.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/report.hpp"

namespace velquist {

struct TMergeJobCallbacks {
    // Draws the merged report's balance chart and saves it as its GIF.
    std::function<void(const TMT4TestReport&)> ChartStep;
    // Shows a refusal to the user (the job then stops without reading anything).
    std::function<void(const std::string&)> ShowMessage;
    // Told before each step that touches a file ("read", "write", "chart").
    std::function<void(std::string_view step, const std::string& fileName)> OnStep;
    // Told of each warning about a file just read, before the next file is
    // read; it may throw to stop the job before anything is written.
    std::function<void(const std::string& fileName, const std::string& warning)> OnWarning;
};

inline constexpr const char* NoReportsMessage = "Report files to merge not set!";
inline constexpr const char* NoResultNameMessage = "Result report filename not set!";

// Reads the first file into reportA, merges every further file through
// reportB, writes reportA to resultFileName and draws its chart. Refuses a
// list of fewer than two files, then an empty result name. Errors are not
// caught: what was done before one stays done.
void MergeJob(const std::vector<std::string>& files, const std::string& resultFileName,
              const std::string& language, TMT4TestReport& reportA, TMT4TestReport& reportB,
              const TMergeJobCallbacks& callbacks);

}  // namespace velquist
