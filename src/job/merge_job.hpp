// The merge job: from an ordered list of report files, a result file name and
// a language, the merged HTML report and its balance chart. The window and the
// command line both run it and learn what happened from its outcome.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/report.hpp"

namespace velquist {

inline constexpr const char* NoReportsMessage = "Report files to merge not set!";
inline constexpr const char* NoResultNameMessage = "Result report filename not set!";
// The result's picture is its name with ".gif" (ImageFileName): a result
// named so would be replaced by it, and so would a report of the list.
inline constexpr const char* ResultNamedAsPictureMessage =
    "Result report filename must not end in \".gif\": that is the name of its picture!";
std::string PictureIsAReportMessage(const std::string& pictureFileName);

enum class TMergeStep { Read, Write, Chart };

struct TMergeRequest {
    std::vector<std::string> Files;
    std::string ResultFileName;
    std::string Language;
    // A warning about a report stops the job before anything is written.
    bool StopOnWarning = false;
};

struct TReadWarning {
    std::string FileName;
    std::string Text;
};

struct TMergeOutcome {
    enum class TKind { Done, Refused, Failed };
    TKind Kind = TKind::Done;
    // The refusal or the error's text; empty when done.
    std::string Message;
    // The step the job reached and the file it was working on; for a refusal,
    // the job read nothing.
    TMergeStep Step = TMergeStep::Read;
    std::string FileName;
    // Every warning about the reports read, in the order met.
    std::vector<TReadWarning> Warnings;
};

// Saves the drawn chart as the merged report's GIF; empty when there is
// nothing to save.
using TSaveChart = std::function<void()>;
// Draws the merged report's balance chart in memory and returns what saves
// it. The job draws while it writes the page, and saves once the page is
// written: as if the chart were drawn after the page, but for the time.
using TChartStep = std::function<TSaveChart(const TMT4TestReport&)>;
// Told before each step, with the file it works on.
using TStepObserver = std::function<void(TMergeStep, const std::string& fileName)>;

// Why the job refuses the request, in this order: a list of fewer than two
// files, an empty result name, a result that its own picture would replace,
// a report of the list that the picture would replace. nullopt when the job
// may run. Reads and writes nothing, so a front end may ask before it sets
// up the chart.
std::optional<std::string> MergeRefusal(const TMergeRequest& request);

// Reads the first file into reportA, merges every further file through
// reportB, writes reportA to the result file and draws its chart. Refuses
// what MergeRefusal refuses. Merged sums that overflow are an error that names
// the file from which on they do, and nothing is written. An error ends the
// job where it happens; what was done before it stays done. The chart step is
// required: a page is never written that names a picture nobody draws.
[[nodiscard]] TMergeOutcome MergeJob(const TMergeRequest& request, TMT4TestReport& reportA,
                                     TMT4TestReport& reportB, const TChartStep& chartStep,
                                     const TStepObserver& onStep = {});

// Heads the box that a window shows after a merge that had warnings.
inline constexpr const char* MergedWithWarningsMessage =
    "The merged report was written, but these reports may not have been read right:";

// The text of that box: the heading, a blank line, then a line a file read,
// "FILE: TEXT; TEXT", its findings in the order met.
std::string WarningsBoxText(const std::vector<TReadWarning>& warnings);

}  // namespace velquist
