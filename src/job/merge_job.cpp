#include "job/merge_job.hpp"

#include <cstddef>
#include <exception>
#include <functional>
#include <new>

#include "base/error.hpp"
#include "base/side_by_side.hpp"
#include "job/read_ahead.hpp"
#include "job/sum_check.hpp"
#include "merge/merger.hpp"
#include "system/file_io.hpp"

namespace velquist {
namespace {

// Files are loaded on two threads, up to four files ahead of the merge: on
// two cores loading keeps both busy while the merges are short, and the
// merge keeps one while they are long. A loaded file holds about twice the
// file's size.
constexpr std::size_t LoadingThreads = 2;
constexpr std::size_t LoadingWindow = 3;

// Room for as many rows as the first report's in each file: the merged list
// then does not move whole to a new place (fresh pages every time) as it
// grows. Only a hint, so a request the system refuses is dropped.
void ReserveForAllRows(TOperationList& rows, std::size_t files) {
    try {
        rows.Reserve(static_cast<std::size_t>(rows.Count()) * files);
    } catch (const std::exception&) {
        // bad_alloc or length_error: the list grows as it needs.
    }
}

// Reads file `index` into the report from its loaded form, whose memory then
// goes back to the read-ahead for the files still to load.
void ReadTaken(TReadAhead& loads, std::size_t index, TMT4TestReport& report) {
    TLoadedReportFile file = loads.Take(index);
    report.ReadFromFile(std::move(file));
    loads.GiveBack(std::move(file));
}

// Reads and merges files[1..] into reportA through reportB, one after the
// other; only the loading runs ahead (TReadAhead), so the reports, the
// warnings and the first error are those of reading and merging each file in
// turn. The merges form one run (TMergeRun), which sets the rows' places,
// numbers and balances and the statistics once, after the last merge, since
// each merge replaces those of the one before; wherever the merging stops,
// reportA is what the merges done so far give, statistics included.
void MergeFurtherFiles(
    const std::vector<std::string>& files, TReadAhead& loads, TMT4TestReport& reportA,
    TMT4TestReport& reportB, const std::function<void(const std::string&)>& announceRead,
    const std::function<void(const TMT4TestReport&, const std::string&)>& checkRead) {
    ReserveForAllRows(reportA.Operations, files.size());
    TMergeRun run(reportA);
    try {
        for (std::size_t i = 1; i < files.size(); ++i) {
            announceRead(files[i]);
            ReadTaken(loads, i, reportB);
            checkRead(reportB, files[i]);
            run.Fold(reportB);
        }
    } catch (...) {
        run.Finish();
        throw;
    }
    run.Finish();
}

// The page is written on a second thread while the chart is drawn on this
// one (a drawing library may need its own thread); both only read the report.
// A failed page is the error, whatever the drawing did, and nothing is
// saved; otherwise the chart step begins, with the drawing's error if it
// failed, and the chart is saved.
void WriteAndChart(const TMergeRequest& request, const TMT4TestReport& reportA,
                   const TChartStep& chartStep, const std::function<void()>& chartBegins) {
    TSaveChart saveChart;
    std::exception_ptr drawingError;
    RunSideBySide([&] { reportA.WriteToFile(request.ResultFileName, request.Language); },
                  [&] {
                      try {
                          saveChart = chartStep(reportA);
                      } catch (...) {
                          drawingError = std::current_exception();
                      }
                  });
    chartBegins();
    if (drawingError) std::rethrow_exception(drawingError);
    if (saveChart) saveChart();
}

// Runs the steps; the outcome holds the step reached, so that an error can be
// told with its file.
void RunSteps(const TMergeRequest& request, TMT4TestReport& reportA, TMT4TestReport& reportB,
              const TChartStep& chartStep, const TStepObserver& onStep, TMergeOutcome& outcome) {
    auto step = [&](TMergeStep next, const std::string& fileName) {
        outcome.Step = next;
        outcome.FileName = fileName;
        if (onStep) onStep(next, fileName);
    };
    auto announceRead = [&](const std::string& fileName) { step(TMergeStep::Read, fileName); };
    TSumWatch sums;
    auto checkRead = [&](const TMT4TestReport& report, const std::string& fileName) {
        for (const std::string& warning : report.Warnings) {
            outcome.Warnings.push_back({fileName, warning});
            if (request.StopOnWarning) throw WarningAsError(fileName, warning);
        }
        sums.Add(report, fileName);
    };
    TReadAhead loads(request.Files, LoadingThreads, LoadingWindow);
    announceRead(request.Files[0]);
    ReadTaken(loads, 0, reportA);
    checkRead(reportA, request.Files[0]);
    MergeFurtherFiles(request.Files, loads, reportA, reportB, announceRead, checkRead);
    if (!HoldsOnlyFiniteNumbers(reportA)) {
        outcome.FileName = sums.Culprit();
        throw SumsOverflowError(outcome.FileName);
    }
    reportA.FileName = request.ResultFileName;
    step(TMergeStep::Write, request.ResultFileName);
    WriteAndChart(request, reportA, chartStep,
                  [&] { step(TMergeStep::Chart, reportA.ImageFileName()); });
}

}  // namespace

std::string PictureIsAReportMessage(const std::string& pictureFileName) {
    return "The result's picture \"" + pictureFileName + "\" is one of the report files to merge!";
}

std::optional<std::string> MergeRefusal(const TMergeRequest& request) {
    if (request.Files.size() < 2) return NoReportsMessage;
    if (request.ResultFileName.empty()) return NoResultNameMessage;
    const std::string picture = ImageFileNameOf(request.ResultFileName);
    if (IsSameFile(picture, request.ResultFileName)) return ResultNamedAsPictureMessage;
    for (const std::string& file : request.Files)
        if (IsSameFile(picture, file)) return PictureIsAReportMessage(picture);
    return std::nullopt;
}

std::string WarningsBoxText(const std::vector<TReadWarning>& warnings) {
    std::string text = MergedWithWarningsMessage + std::string("\n");
    for (std::size_t i = 0; i < warnings.size(); ++i) {
        const bool sameFile = i > 0 && warnings[i].FileName == warnings[i - 1].FileName;
        text += sameFile ? "; " : "\n" + warnings[i].FileName + ": ";
        text += warnings[i].Text;
    }
    return text;
}

TMergeOutcome MergeJob(const TMergeRequest& request, TMT4TestReport& reportA,
                       TMT4TestReport& reportB, const TChartStep& chartStep,
                       const TStepObserver& onStep) {
    TMergeOutcome outcome;
    auto stop = [&](TMergeOutcome::TKind kind, std::string message) {
        outcome.Kind = kind;
        outcome.Message = std::move(message);
        return outcome;
    };
    if (std::optional<std::string> refusal = MergeRefusal(request))
        return stop(TMergeOutcome::TKind::Refused, std::move(*refusal));
    if (!chartStep) return stop(TMergeOutcome::TKind::Failed, NoChartError().what());
    try {
        RunSteps(request, reportA, reportB, chartStep, onStep, outcome);
    } catch (const std::bad_alloc&) {
        return stop(TMergeOutcome::TKind::Failed, OutOfMemoryError(outcome.FileName).what());
    } catch (const std::exception& error) {
        return stop(TMergeOutcome::TKind::Failed, error.what());
    }
    return outcome;
}

}  // namespace velquist
