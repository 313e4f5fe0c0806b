#include "job/merge_job.hpp"

#include <exception>
#include <new>

#include "base/error.hpp"

namespace velquist {
namespace {

// Runs the steps; the outcome holds the step reached, so that an error can be
// told with its file.
void RunSteps(const TMergeRequest& request, TMT4TestReport& reportA, TMT4TestReport& reportB,
              const TChartStep& chartStep, const TStepObserver& onStep, TMergeOutcome& outcome) {
    auto step = [&](TMergeStep next, const std::string& fileName) {
        outcome.Step = next;
        outcome.FileName = fileName;
        if (onStep) onStep(next, fileName);
    };
    auto read = [&](TMT4TestReport& report, const std::string& fileName) {
        step(TMergeStep::Read, fileName);
        report.ReadFromFile(fileName);
        for (const std::string& warning : report.Warnings) {
            outcome.Warnings.push_back({fileName, warning});
            if (request.StopOnWarning) throw WarningAsError(fileName, warning);
        }
    };
    read(reportA, request.Files[0]);
    for (std::size_t i = 1; i < request.Files.size(); ++i) {
        read(reportB, request.Files[i]);
        reportA.Merge(reportB);
    }
    reportA.FileName = request.ResultFileName;
    step(TMergeStep::Write, request.ResultFileName);
    reportA.WriteToFile(request.ResultFileName, request.Language);
    step(TMergeStep::Chart, reportA.ImageFileName());
    chartStep(reportA);
}

}  // namespace

TMergeOutcome MergeJob(const TMergeRequest& request, TMT4TestReport& reportA,
                       TMT4TestReport& reportB, const TChartStep& chartStep,
                       const TStepObserver& onStep) {
    TMergeOutcome outcome;
    auto stop = [&](TMergeOutcome::TKind kind, std::string message) {
        outcome.Kind = kind;
        outcome.Message = std::move(message);
        return outcome;
    };
    if (request.Files.size() < 2) return stop(TMergeOutcome::TKind::Refused, NoReportsMessage);
    if (request.ResultFileName.empty())
        return stop(TMergeOutcome::TKind::Refused, NoResultNameMessage);
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
