#include "job/merge_job.hpp"

#include <exception>
#include <functional>
#include <new>
#include <thread>

#include "base/error.hpp"

namespace velquist {
namespace {

// next := current's fields without its rows: what the one second report
// object holds before it reads the file after current's.
void CarryFields(TMT4TestReport& current, TMT4TestReport& next) {
    TOperationList rows = std::move(current.Operations);
    next = current;
    next.Operations.Clear();
    current.Operations = std::move(rows);
}

// Merges files[1..] into reportA, reading each next file on a second thread
// while the one before is merged. Each side touches only its own report, and
// the reads are told and checked in file order after the merge beside them,
// so the reports, the warnings and the first error are those of reading and
// merging one file after the other through reportB. The statistics are
// computed once, after the last merge, since each merge replaces those of the
// one before.
void MergeRowsOfFurtherFiles(
    const std::vector<std::string>& files, TMT4TestReport& reportA, TMT4TestReport& reportB,
    const std::function<void(const std::string&)>& announceRead,
    const std::function<void(const TMT4TestReport&, const std::string&)>& checkRead, bool& merged) {
    TMT4TestReport spare;
    TMT4TestReport* current = &reportB;
    TMT4TestReport* next = &spare;
    TMT4TestReport* lastRead = &reportB;
    // However the loop ends, reportB holds what the last read left in it.
    struct TLastReadInB {
        TMT4TestReport*& Last;
        TMT4TestReport& B;
        ~TLastReadInB() {
            if (Last != &B) B = std::move(*Last);
        }
    } lastReadInB{lastRead, reportB};

    announceRead(files[1]);
    reportB.ReadFromFile(files[1]);
    checkRead(reportB, files[1]);
    for (std::size_t i = 1; i + 1 < files.size(); ++i) {
        CarryFields(*current, *next);
        std::exception_ptr readError;
        std::thread reader([&, i] {
            try {
                next->ReadFromFile(files[i + 1]);
            } catch (...) {
                readError = std::current_exception();
            }
        });
        try {
            reportA.MergeRows(*current);
        } catch (...) {
            reader.join();
            throw;
        }
        merged = true;
        reader.join();
        lastRead = next;
        announceRead(files[i + 1]);
        if (readError) {
            // A file that cannot be read leaves the rows of the one before.
            next->Operations = std::move(current->Operations);
            std::rethrow_exception(readError);
        }
        checkRead(*next, files[i + 1]);
        std::swap(current, next);
    }
    reportA.MergeRows(*current);
}

// Wherever the merging stops, reportA is what the merges done so far give,
// statistics included.
void MergeFurtherFiles(
    const std::vector<std::string>& files, TMT4TestReport& reportA, TMT4TestReport& reportB,
    const std::function<void(const std::string&)>& announceRead,
    const std::function<void(const TMT4TestReport&, const std::string&)>& checkRead) {
    bool merged = false;
    try {
        MergeRowsOfFurtherFiles(files, reportA, reportB, announceRead, checkRead, merged);
    } catch (...) {
        if (merged) reportA.ComputeStatistics();
        throw;
    }
    reportA.ComputeStatistics();
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
    auto checkRead = [&](const TMT4TestReport& report, const std::string& fileName) {
        for (const std::string& warning : report.Warnings) {
            outcome.Warnings.push_back({fileName, warning});
            if (request.StopOnWarning) throw WarningAsError(fileName, warning);
        }
    };
    announceRead(request.Files[0]);
    reportA.ReadFromFile(request.Files[0]);
    checkRead(reportA, request.Files[0]);
    MergeFurtherFiles(request.Files, reportA, reportB, announceRead, checkRead);
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
